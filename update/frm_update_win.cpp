#include "update/frm_update_win.h"

#include "common/product_name.h"
#include "ui/toolkit/dialog_frame_win.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/modal_loop_win.h"
#include "ui/toolkit/screen_dc_win.h"
#include "update/update_texts.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFOREGROUND;  // no close button
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kLabelId = 1000, kProgressBarId = 1001;

// The 96-DPI design of the client area.
constexpr int kClientWidth = 359, kClientHeight = 112;
constexpr RECT kLabel{88, 36, 351, 52};
constexpr RECT kCloseButton{276, 58, 351, 81};
constexpr RECT kProgressBar{0, 88, kClientWidth, kClientHeight};

}  // namespace

TfrmUpdate::TfrmUpdate(const UpdateOffer& offer, UpdatePorts ports)
    : dpi_(ScreenDc().Dpi()),
      paint_(LoadSkinFile(offer.skinPath), dpi_),
      suiProgressBar1_(paint_),
      logic_(offer, std::move(ports), *this) {}

TfrmUpdate::~TfrmUpdate() {
    if (Handle())
        DestroyWindow(Handle());
}

UpdateOutcome TfrmUpdate::ShowModal() {
    // The form fills and sizes itself.
    static const EmptyDialogTemplate kTemplate{{kStyle, kExStyle, 0, 0, 0, 0, 0}};
    if (!CreateDialogFromTemplate(&kTemplate.header, nullptr))
        return UpdateOutcome::kDismissed;
    RunModalLoop(
        Handle(), [this] { return outcome_.has_value(); }, nullptr);
    return outcome_.value_or(UpdateOutcome::kDismissed);
}

void TfrmUpdate::CreateControls() {
    HWND form = Handle();
    SetWindowTextA(form, update_text::kCaption);
    const auto child = [&](const char* windowClass, const char* text, DWORD style, RECT design, int id) {
        return CreateDialogControl(form, windowClass, text, style, ScaleToDpi(design, int(dpi_)), id,
                                   paint_.TextFont());
    };
    Label1_ = child("STATIC", update_text::kDownloading, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kLabel, kLabelId);
    btnClose_ = child("BUTTON", update_text::kClose, BS_OWNERDRAW | WS_TABSTOP, kCloseButton, IDCANCEL);
    suiProgressBar1_.CreateIn(form, ScaleToDpi(kProgressBar, int(dpi_)), kProgressBarId);

    CentreDialog(form, ScaleToDpi(kClientWidth, int(dpi_)), ScaleToDpi(kClientHeight, int(dpi_)));
}

std::optional<LRESULT> TfrmUpdate::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto colors = paint_.ControlColors(message, wParam))
        return colors;
    switch (message) {
        case WM_INITDIALOG:
            CreateControls();
            return TRUE;
        case WM_SHOWWINDOW:
            if (wParam && !shown_) {
                shown_ = true;
                logic_.FormShow();
            }
            return std::nullopt;
        case WM_DRAWITEM:
            paint_.DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), true);
            return TRUE;
        case WM_COMMAND:
            // The button, Enter on it, and Escape all arrive here; the logic knows when they count.
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
                logic_.btnCloseClick();
            return 0;
        case WM_CLOSE:
            logic_.btnCloseClick();
            return 0;
        default:
            return std::nullopt;
    }
}

void TfrmUpdate::SetProgress(std::int32_t position, std::int32_t maximum) {
    suiProgressBar1_.SetProgress(position, maximum);
}

void TfrmUpdate::ShowError(const std::string& text) {
    MessageBoxA(Handle(), text.c_str(), kProductName, MB_OK | MB_ICONERROR);
}

void TfrmUpdate::AllowDismiss() {
    ShowWindow(btnClose_, SW_SHOW);
    SendMessageA(Handle(), DM_SETDEFID, IDCANCEL, 0);
    SetFocus(btnClose_);
}

void TfrmUpdate::CloseDialog(UpdateOutcome outcome) {
    outcome_ = outcome;
    // This may run inside a call the worker sent, which GetMessage handles without returning:
    // a posted message lets the modal loop see the outcome.
    PostMessageA(Handle(), WM_NULL, 0, 0);
}
