#include "ui/toolkit/modal_form_win.h"

#include "ui/toolkit/dialog_frame_win.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/modal_loop_win.h"
#include "ui/toolkit/screen_dc_win.h"

namespace {

constexpr DWORD kClosable = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

RECT RectOf(const LayoutBox& box) {
    return RECT{box.left, box.top, box.Right(), box.Bottom()};
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
    // The form fills and sizes itself.
    const EmptyDialogTemplate dialogTemplate{{style_, kExStyle, 0, 0, 0, 0, 0}};
    if (!CreateDialogFromTemplate(&dialogTemplate.header, nullptr))
        return false;
    RunModalLoop(
        Handle(), [this] { return Finished(); },
        [this](const MSG& msg) {
            return msg.message == WM_KEYDOWN && (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd)) &&
                   PreviewKey(msg.wParam);
        });
    return true;
}

// The edges are scaled, so that boxes that meet in the design meet on the screen.
RECT ModalForm::ScreenRect(const LayoutBox& designBox) const {
    return ScaleToDpi(RectOf(designBox), int(dpi_));
}

LRESULT ModalForm::CreateControls() {
    const FormDesign design = Design();
    HWND form = Handle();
    SetWindowTextA(form, design.caption);
    const bool scaled = design.units == DesignUnits::At96Dpi;
    for (const ControlRow& row : design.controls) {
        CreateDialogControl(form, row.windowClass, row.text, row.style, scaled ? ScreenRect(row.box) : RectOf(row.box),
                            row.id, paint_.TextFont());
    }
    ControlsCreated();
    if (design.defaultButton)
        SetDefaultButton(design.defaultButton);
    if (design.focus)
        SetFocus(Control(design.focus));

    if (scaled)
        CentreDialog(form, ScaleToDpi(design.clientWidth, int(dpi_)), ScaleToDpi(design.clientHeight, int(dpi_)));
    else
        CentreDialog(form, design.clientWidth, design.clientHeight);
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
