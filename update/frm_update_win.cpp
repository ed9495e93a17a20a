#include "update/frm_update_win.h"

#include "common/product_name.h"
#include "update/update_texts.h"

namespace {

constexpr int kLabelId = 1000, kProgressBarId = 1001;

// The 96-DPI design of the client area. The "&Close" button shows after a failure.
const ControlRow kControls[] = {
    {kLabelId, "STATIC", update_text::kDownloading, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, {88, 36, 263, 16}},
    {IDCANCEL, "BUTTON", update_text::kClose, BS_OWNERDRAW | WS_TABSTOP, {276, 58, 75, 23}},
};
constexpr int kClientWidth = 359, kClientHeight = 112;
constexpr LayoutBox kProgressBar{0, 88, kClientWidth, kClientHeight - 88};

}  // namespace

TfrmUpdate::TfrmUpdate(UpdateLogic& logic, const Skin& skin)
    : ModalForm(skin, Frame::WithoutCloseButton), logic_(logic), suiProgressBar1_(Paint()) {
    logic_.AttachView(*this);
}

TfrmUpdate::~TfrmUpdate() {
    logic_.DetachView();
}

FormDesign TfrmUpdate::Design() const {
    // No default button and no focus until the "&Close" button shows.
    return {.caption = update_text::kCaption,
            .controls = {std::begin(kControls), std::end(kControls)},
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight};
}

void TfrmUpdate::ControlsCreated() {
    suiProgressBar1_.CreateIn(Handle(), ScreenRect(kProgressBar), kProgressBarId);
}

void TfrmUpdate::OnCommand(int id, int) {
    // The button, Enter on it, and Escape all arrive here; the logic knows when they count.
    if (id == IDCANCEL || id == IDOK)
        logic_.btnCloseClick();
}

void TfrmUpdate::SetProgress(std::int32_t position, std::int32_t maximum) {
    suiProgressBar1_.SetProgress(position, maximum);
}

void TfrmUpdate::ShowError(const std::string& text) {
    MessageBoxA(Handle(), text.c_str(), kProductName, MB_OK | MB_ICONERROR);
}

void TfrmUpdate::AllowDismiss() {
    SetDefaultButton(IDCANCEL);
    ShowWindow(Control(IDCANCEL), SW_SHOW);
    SetFocus(Control(IDCANCEL));
}

void TfrmUpdate::CloseDialog(UpdateOutcome outcome) {
    outcome_ = outcome;
    // This may run inside a call the worker sent, which GetMessage handles without returning:
    // a posted message lets the modal loop see the outcome.
    PostMessageA(Handle(), WM_NULL, 0, 0);
}
