#include "ui/advice/frm_unblock_win.h"

#include "ui/advice/advice_texts.h"
#include "ui/messages/message_icons_win.h"
#include "ui/toolkit/clipboard_win.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/window_text_win.h"

namespace {

enum ControlId {
    kImage1 = 1000,
    kLblMsg,
    kPathsGroup,
    kProgramLabel,
    kEdtNG,
    kBtnCopyNG,
    kWardenLabel,
    kEdtWarden,
    kBtnCopyWarden,
    kBtnHelp,
    kBtnReconnect,
    kBtnOK = IDOK,  // "&Close", the default button
};

// The 96-DPI design, in tab order; the group box comes before what it frames.
constexpr DWORD kText = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD kPath = WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED;
constexpr DWORD kButton = WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP;
const ControlRow kControls[] = {
    {kImage1, "STATIC", "", WS_VISIBLE | SS_BITMAP, {22, 54, 40, 40}},
    {kLblMsg, "STATIC", "", kText, {96, 58, 369, 40}},
    {kPathsGroup, "BUTTON", "", WS_VISIBLE | BS_GROUPBOX, {14, 100, 467, 78}},
    {kProgramLabel, "STATIC", ui_text::kUnblockProgramPath, kText, {24, 118, 90, 13}},
    {kEdtNG, "EDIT", "", kPath, {118, 114, 293, 21}},
    {kBtnCopyNG, "BUTTON", ui_text::kUnblockCopyProgram, kButton, {416, 112, 57, 25}},
    {kWardenLabel, "STATIC", ui_text::kUnblockWardenPath, kText, {24, 148, 90, 13}},
    {kEdtWarden, "EDIT", "", kPath, {118, 144, 293, 21}},
    {kBtnCopyWarden, "BUTTON", ui_text::kUnblockCopyWarden, kButton, {416, 142, 57, 25}},
    {kBtnHelp, "BUTTON", ui_text::kUnblockHelp, kButton, {60, 200, 81, 25}},
    {kBtnReconnect, "BUTTON", ui_text::kUnblockReconnect, kButton, {208, 200, 81, 25}},
    {kBtnOK, "BUTTON", ui_text::kUnblockClose, kButton, {360, 200, 81, 25}},
};
constexpr int kClientWidth = 494, kClientHeight = 241;
constexpr int kIconSize = 40;

}  // namespace

TfrmUnblock::TfrmUnblock(UnblockForm& form, const Skin& skin) : ModalForm(skin, Frame::Closable), form_(form) {}

FormDesign TfrmUnblock::Design() const {
    return {.caption = ui_text::kUnblockCaption,
            .controls = {std::begin(kControls), std::end(kControls)},
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight,
            .defaultButton = kBtnOK,
            .focus = kBtnOK};
}

void TfrmUnblock::ControlsCreated() {
    // The first of the "MSGDLG" icons: the warning.
    ShowBitmap(kImage1, MessageIconBitmap(IconType::Warning, ScaleToDpi(kIconSize, int(Dpi())),
                                          ToColorRef(Paint().Colors().face)));
    const UnblockAdviceContent& content = form_.Content();
    SetDlgItemTextA(Handle(), kLblMsg, content.message.c_str());
    SetDlgItemTextA(Handle(), kEdtNG, content.programPath.c_str());
    SetDlgItemTextA(Handle(), kEdtWarden, content.wardenPath.c_str());
    EnableWindow(Control(kBtnReconnect), content.reconnectEnabled);
}

void TfrmUnblock::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return;
    switch (id) {
        case kBtnCopyNG:
            return CopyPath(kEdtNG);
        case kBtnCopyWarden:
            return CopyPath(kEdtWarden);
        case kBtnHelp:
            return form_.btnHelpClick();
        case kBtnReconnect:
            return form_.btnReconnectClick();
        case kBtnOK:
        case IDCANCEL:
            return form_.btnCloseClick();
    }
}

// The whole text, whatever the (disabled) edit would let a user select.
void TfrmUnblock::CopyPath(int editId) const {
    SetClipboardText(Handle(), WindowText(Control(editId)));
}

bool TfrmUnblock::PreviewKey(WPARAM key) {
    if (key == VK_ESCAPE) {
        form_.btnCloseClick();
        return true;
    }
    if (key == VK_RETURN) {
        PressFocusedOrDefaultButton();
        return true;
    }
    return false;
}
