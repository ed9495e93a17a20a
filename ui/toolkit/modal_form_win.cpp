#include "ui/toolkit/modal_form_win.h"

#include "ui/toolkit/disabled_thread_windows_win.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/screen_dc_win.h"

namespace {

constexpr DWORD kClosable = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// A dialog template without controls, font or title: the form creates and places its controls
// itself.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE header;
    WORD menu = 0, windowClass = 0, title = 0;
};

RECT RectOf(const LayoutBox& box) {
    return RECT{box.left, box.top, box.Right(), box.Bottom()};
}

// Sizes the form to a client area of `width` × `height` screen pixels within the frame of its
// styles, and centres it on the work area.
void SizeAndCentre(HWND form, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(form, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(form, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(form, nullptr, work.left + (work.right - work.left - frameWidth) / 2,
                 work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ModalForm::ModalForm(const Skin& skin, Frame frame)
    : style_(frame == Frame::Closable ? kClosable : kClosable & ~WS_SYSMENU),
      dpi_(ScreenDc().Dpi()),
      paint_(skin, dpi_) {}

ModalForm::~ModalForm() {
    if (Handle())
        DestroyWindow(Handle());
}

bool ModalForm::ShowModal() {
    const EmptyDialogTemplate dialogTemplate{{style_, kExStyle, 0, 0, 0, 0, 0}};
    if (!CreateDialogFromTemplate(&dialogTemplate.header, nullptr))
        return false;
    RunModalLoop(Handle());
    return true;
}

void ModalForm::RunModalLoop(HWND form) {
    DisabledThreadWindows others;
    ShowWindow(form, SW_SHOW);
    SetForegroundWindow(form);
    MSG msg;
    while (!Finished() && IsWindow(form)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));  // the caller's loop must see it
            break;
        }
        const bool keyInForm = msg.message == WM_KEYDOWN && (msg.hwnd == form || IsChild(form, msg.hwnd));
        if ((keyInForm && PreviewKey(msg.wParam)) || IsDialogMessageA(form, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The edges are scaled, so that boxes that meet in the design meet on the screen.
RECT ModalForm::ScreenRect(const LayoutBox& designBox) const {
    const int dpi = int(dpi_);
    return RECT{ScaleToDpi(designBox.left, dpi), ScaleToDpi(designBox.top, dpi), ScaleToDpi(designBox.Right(), dpi),
                ScaleToDpi(designBox.Bottom(), dpi)};
}

LRESULT ModalForm::CreateControls() {
    const FormDesign design = Design();
    HWND form = Handle();
    SetWindowTextA(form, design.caption);
    const bool scaled = design.units == DesignUnits::At96Dpi;
    for (const ControlRow& row : design.controls) {
        const RECT box = scaled ? ScreenRect(row.box) : RectOf(row.box);
        HWND control =
            CreateWindowExA(0, row.windowClass, row.text, WS_CHILD | row.style, box.left, box.top, box.right - box.left,
                            box.bottom - box.top, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                            GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(paint_.TextFont()), FALSE);
    }
    ControlsCreated();
    if (design.defaultButton)
        SetDefaultButton(design.defaultButton);
    if (design.focus)
        SetFocus(Control(design.focus));

    if (scaled)
        SizeAndCentre(form, ScaleToDpi(design.clientWidth, int(dpi_)), ScaleToDpi(design.clientHeight, int(dpi_)));
    else
        SizeAndCentre(form, design.clientWidth, design.clientHeight);
    return design.focus ? FALSE : TRUE;
}

void ModalForm::SetDefaultButton(int id) {
    defaultButton_ = id;
    SendMessageA(Handle(), DM_SETDEFID, id, 0);
}

bool ModalForm::IsOwnButton(HWND window) const {
    char windowClass[8] = {};
    return window && IsChild(Handle(), window) && GetClassNameA(window, windowClass, sizeof(windowClass)) &&
           lstrcmpiA(windowClass, "Button") == 0 &&
           (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

void ModalForm::PressFocusedOrDefaultButton() const {
    HWND focused = GetFocus();
    HWND button = IsOwnButton(focused) ? focused : defaultButton_ ? Control(defaultButton_) : nullptr;
    if (button)
        SendMessageA(button, BM_CLICK, 0, 0);
}

void ModalForm::ShowBitmap(int id, UniqueGdi<HBITMAP> bitmap) {
    SendDlgItemMessageA(Handle(), id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    bitmaps_.push_back(std::move(bitmap));
}

std::optional<LRESULT> ModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto colors = paint_.ControlColors(message, wParam))
        return colors;
    switch (message) {
        case WM_INITDIALOG:
            return CreateControls();
        case WM_SHOWWINDOW:
            if (wParam && !shown_) {
                shown_ = true;
                FormShow();
            }
            return std::nullopt;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_BUTTON)
                return std::nullopt;
            paint_.DrawButton(item, defaultButton_ && int(item.CtlID) == defaultButton_);
            return TRUE;
        }
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        default:
            return std::nullopt;
    }
}
