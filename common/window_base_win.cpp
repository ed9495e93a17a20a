#include "common/window_base.h"

namespace {

const char kObjectProperty[] = "MasqWindowObject";

template <typename Object>
Object* ObjectOf(HWND hwnd) {
    return static_cast<Object*>(GetPropA(hwnd, kObjectProperty));
}

}  // namespace

WindowBase::~WindowBase() {
    if (hwnd_) {
        RemovePropA(hwnd_, kObjectProperty);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::Create(const char* className,
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
        wc.lpfnWndProc = StaticProc;
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

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetPropA(hwnd, kObjectProperty, self);
    }
    WindowBase* self = ObjectOf<WindowBase>(hwnd);
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

DialogBase::~DialogBase() {
    if (hwnd_) {
        RemovePropA(hwnd_, kObjectProperty);
        DestroyWindow(hwnd_);
    }
}

bool DialogBase::CreateModeless(const char* templateName, HWND parent) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), templateName, parent, StaticProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool DialogBase::CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent) {
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, parent, StaticProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK DialogBase::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogBase*>(lParam);
        self->hwnd_ = hwnd;
        SetPropA(hwnd, kObjectProperty, self);
    }
    DialogBase* self = ObjectOf<DialogBase>(hwnd);
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kObjectProperty);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
