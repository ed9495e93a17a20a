#include "common/window_base_win.h"

namespace {

const char kObjectProperty[] = "MasqWindowObject";

WindowBase* ObjectOf(HWND hwnd) {
    return static_cast<WindowBase*>(GetPropA(hwnd, kObjectProperty));
}

// The dialog messages whose result is the procedure's return value itself; every other result
// travels in DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

}  // namespace

WindowBase::~WindowBase() {
    if (hwnd_) {
        RemovePropA(hwnd_, kObjectProperty);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::CreateWindowOf(const char* className,
                                DWORD exStyle,
                                DWORD style,
                                const char* title,
                                RECT bounds,
                                HWND parent,
                                HMENU menuOrId) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{sizeof(existing)};
    if (!GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA wc{sizeof(wc)};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        if (!RegisterClassExA(&wc))
            return false;
    }
    return CreateWindowExA(exStyle, className, title, style, bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top, parent, menuOrId, instance, this) != nullptr;
}

bool WindowBase::CreateDialogFrom(const char* templateName, HWND parent) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), templateName, parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool WindowBase::CreateDialogFromTemplate(const DLGTEMPLATE* dialogTemplate, HWND parent) {
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, parent, DialogProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

std::optional<LRESULT> WindowBase::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = ObjectOf(hwnd);
    if (!self)
        return std::nullopt;
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        return std::nullopt;
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        if (errorDisplay_)
            errorDisplay_(error);
    } catch (...) {
    }
    return std::nullopt;
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetPropA(hwnd, kObjectProperty, self);
    }
    if (std::optional<LRESULT> answer = Dispatch(hwnd, message, wParam, lParam))
        return *answer;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK WindowBase::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<WindowBase*>(lParam);
        self->hwnd_ = hwnd;
        SetPropA(hwnd, kObjectProperty, self);
    }
    std::optional<LRESULT> answer = Dispatch(hwnd, message, wParam, lParam);
    if (!answer)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return *answer;
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, *answer);
    return TRUE;
}
