#include "directory/frm_select_ip_win.h"

#include "directory/directory_texts.h"
#include "resources/resource_ids.h"
#include "ui/toolkit/dialog_frame_win.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/modal_loop_win.h"
#include "ui/toolkit/screen_dc_win.h"

using namespace directory_text;

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The form's design, in pixels at 96 DPI: client area and the controls' boxes.
constexpr SIZE kClientSize{338, 315};
constexpr RECT kLabelBox{29, 48, 315, 64};
constexpr RECT kListBox{29, 80, 29 + 286, 80 + 145};
constexpr int kListItemHeight = 16;
constexpr RECT kCheckBox{34, 240, 315, 257};
constexpr RECT kCancelBox{73, 280, 73 + 77, 280 + 25};
constexpr RECT kOkBox{193, 280, 193 + 77, 280 + 25};

}  // namespace

TfrmSelectIP::TfrmSelectIP(SelectIpForm& form, const Skin& skin)
    : form_(form), dpi_(ScreenDc().Dpi()), paint_(skin, dpi_) {}

TfrmSelectIP::~TfrmSelectIP() {
    if (Handle())
        DestroyWindow(Handle());
}

void TfrmSelectIP::ShowModal() {
    static const EmptyDialogTemplate kTemplate{{kStyle, kExStyle, 0, 0, 0, 0, 0}};
    if (!CreateDialogFromTemplate(&kTemplate.header, nullptr))
        return;
    FormShow();
    RunModalLoop(
        Handle(), [this] { return closed_; }, nullptr);
}

HWND TfrmSelectIP::CreateChild(const char* windowClass, const char* text, DWORD style, RECT designBox, int id) {
    return CreateDialogControl(Handle(), windowClass, text, WS_VISIBLE | style, ScaleToDpi(designBox, int(dpi_)), id,
                               paint_.TextFont());
}

// Created in tab order: OK, Cancel, the list, the check box.
void TfrmSelectIP::CreateControls() {
    SetWindowTextA(Handle(), kSelectIpCaption);
    CreateChild("BUTTON", kOkButton, BS_OWNERDRAW | WS_TABSTOP, kOkBox, IDOK);
    HWND cancel = CreateChild("BUTTON", kCancelButton, BS_OWNERDRAW | WS_TABSTOP, kCancelBox, IDCANCEL);
    EnableWindow(cancel, form_.CancelEnabled());
    HWND list = CreateChild("LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                            kListBox, IDC_LSB_SELECT_IP);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, ScaleToDpi(kListItemHeight, int(dpi_)));
    for (const SelectIpRow& row : form_.Rows())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
    SendMessageA(list, LB_SETCURSEL, form_.SelectedRow().value_or(-1), 0);
    CreateChild("BUTTON", kAlwaysChooseLocation, BS_AUTOCHECKBOX | WS_TABSTOP, kCheckBox, IDC_CHK_ALWAYS_LOCATION);
    CreateChild("STATIC", kSelectIpPrompt, SS_LEFT | SS_NOPREFIX, kLabelBox, IDC_LBL_SELECT_IP);
    SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
    SetFocus(GetDlgItem(Handle(), IDOK));

    CentreDialog(Handle(), ScaleToDpi(kClientSize.cx, int(dpi_)), ScaleToDpi(kClientSize.cy, int(dpi_)));
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

std::optional<LRESULT> TfrmSelectIP::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto colors = paint_.ControlColors(message, wParam))
        return colors;
    switch (message) {
        case WM_INITDIALOG:
            CreateControls();
            return FALSE;  // the focus is set
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_BUTTON)
                return std::nullopt;
            paint_.DrawButton(item, item.CtlID == IDOK);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    btnOKClick();
                    return 0;
                case IDCANCEL:
                    // Escape arrives as IDCANCEL too: it cancels only where the button can.
                    if (IsWindowEnabled(GetDlgItem(Handle(), IDCANCEL)))
                        btnCancelClick();
                    return 0;
                case IDC_LSB_SELECT_IP:
                    if (HIWORD(wParam) == LBN_DBLCLK)
                        btnOKClick();
                    return 0;
                default:
                    return std::nullopt;
            }
        case WM_CLOSE:
            btnCancelClick();
            return 0;
        default:
            return std::nullopt;
    }
}

void WinSelectIpDialogs::ShowModal(SelectIpForm& form) {
    TfrmSelectIP(form, LoadSkinFile(values_.SkinPath)).ShowModal();
}
