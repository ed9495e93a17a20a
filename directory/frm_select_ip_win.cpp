#include "directory/frm_select_ip_win.h"

#include "directory/directory_texts.h"
#include "resources/resource_ids.h"
#include "ui/toolkit/dpi_scale.h"

using namespace directory_text;

namespace {

// The form's design, in pixels at 96 DPI, in tab order: OK, Cancel, the list, the check box.
constexpr DWORD kButton = WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD kList = WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kCheckBox = WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP;
const ControlRow kControls[] = {
    {IDOK, "BUTTON", kOkButton, kButton, {193, 280, 77, 25}},
    {IDCANCEL, "BUTTON", kCancelButton, kButton, {73, 280, 77, 25}},
    {IDC_LSB_SELECT_IP, "LISTBOX", "", kList, {29, 80, 286, 145}},
    {IDC_CHK_ALWAYS_LOCATION, "BUTTON", kAlwaysChooseLocation, kCheckBox, {34, 240, 281, 17}},
    {IDC_LBL_SELECT_IP, "STATIC", kSelectIpPrompt, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, {29, 48, 286, 16}},
};
constexpr int kClientWidth = 338, kClientHeight = 315;
constexpr int kListItemHeight = 16;

}  // namespace

TfrmSelectIP::TfrmSelectIP(SelectIpForm& form, const Skin& skin) : ModalForm(skin, Frame::Closable), form_(form) {}

FormDesign TfrmSelectIP::Design() const {
    return {.caption = kSelectIpCaption,
            .controls = {std::begin(kControls), std::end(kControls)},
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight,
            .defaultButton = IDOK,
            .focus = IDOK};
}

void TfrmSelectIP::ControlsCreated() {
    EnableWindow(Control(IDCANCEL), form_.CancelEnabled());
    HWND list = Control(IDC_LSB_SELECT_IP);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, ScaleToDpi(kListItemHeight, int(Dpi())));
    for (const SelectIpRow& row : form_.Rows())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
    SendMessageA(list, LB_SETCURSEL, form_.SelectedRow().value_or(-1), 0);
}

void TfrmSelectIP::FormShow() {
    CheckDlgButton(Handle(), IDC_CHK_ALWAYS_LOCATION, form_.FormShow() ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmSelectIP::btnOKClick() {
    const LRESULT selected = SendDlgItemMessageA(Handle(), IDC_LSB_SELECT_IP, LB_GETCURSEL, 0, 0);
    const bool always = IsDlgButtonChecked(Handle(), IDC_CHK_ALWAYS_LOCATION) == BST_CHECKED;
    if (form_.btnOKClick(selected == LB_ERR ? std::nullopt : std::optional<int>(int(selected)), always))
        closed_ = true;
}

void TfrmSelectIP::btnCancelClick() {
    closed_ = true;
}

void TfrmSelectIP::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
            return btnOKClick();
        case IDCANCEL:
            // Escape arrives as IDCANCEL too: it cancels only where the button can.
            if (IsWindowEnabled(Control(IDCANCEL)))
                btnCancelClick();
            return;
        case IDC_LSB_SELECT_IP:
            if (code == LBN_DBLCLK)
                btnOKClick();
            return;
    }
}

void WinSelectIpDialogs::ShowModal(SelectIpForm& form) {
    TfrmSelectIP(form, LoadSkinFile(values_.SkinPath)).ShowModal();
}
