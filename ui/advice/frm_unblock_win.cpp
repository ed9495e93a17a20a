#include "ui/advice/frm_unblock_win.h"

#include "ui/advice/advice_texts.h"
#include "ui/messages/message_icons_win.h"
#include "ui/messages/message_layout.h"
#include "ui/toolkit/clipboard_win.h"
#include "ui/toolkit/dialog_frame_win.h"
#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/modal_loop_win.h"
#include "ui/toolkit/screen_dc_win.h"
#include "ui/toolkit/window_text_win.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 494, kClientHeight = 241;  // 96-DPI pixels, as every place below

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

struct ControlPlace {
    int id;
    const char* windowClass;
    const char* text;
    DWORD style;
    LayoutBox box;
};

// In tab order; the group box comes before what it frames.
constexpr DWORD kButton = BS_OWNERDRAW | WS_TABSTOP;
const ControlPlace kControls[] = {
    {kImage1, "STATIC", "", SS_BITMAP, {22, 54, 40, 40}},
    {kLblMsg, "STATIC", "", SS_LEFT | SS_NOPREFIX, {96, 58, 369, 40}},
    {kPathsGroup, "BUTTON", "", BS_GROUPBOX, {14, 100, 467, 78}},
    {kProgramLabel, "STATIC", ui_text::kUnblockProgramPath, SS_LEFT | SS_NOPREFIX, {24, 118, 90, 13}},
    {kEdtNG, "EDIT", "", ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED, {118, 114, 293, 21}},
    {kBtnCopyNG, "BUTTON", ui_text::kUnblockCopyProgram, kButton, {416, 112, 57, 25}},
    {kWardenLabel, "STATIC", ui_text::kUnblockWardenPath, SS_LEFT | SS_NOPREFIX, {24, 148, 90, 13}},
    {kEdtWarden, "EDIT", "", ES_AUTOHSCROLL | WS_BORDER | WS_DISABLED, {118, 144, 293, 21}},
    {kBtnCopyWarden, "BUTTON", ui_text::kUnblockCopyWarden, kButton, {416, 142, 57, 25}},
    {kBtnHelp, "BUTTON", ui_text::kUnblockHelp, kButton, {60, 200, 81, 25}},
    {kBtnReconnect, "BUTTON", ui_text::kUnblockReconnect, kButton, {208, 200, 81, 25}},
    {kBtnOK, "BUTTON", ui_text::kUnblockClose, kButton, {360, 200, 81, 25}},
};

bool IsButton(int id) {
    return id == kBtnCopyNG || id == kBtnCopyWarden || id == kBtnHelp || id == kBtnReconnect || id == kBtnOK;
}

}  // namespace

TfrmUnblock::TfrmUnblock(UnblockAdviceContent content, const Skin& skin, std::function<void()> helpClick)
    : content_(std::move(content)), helpClick_(std::move(helpClick)), dpi_(ScreenDc().Dpi()), paint_(skin, dpi_) {}

TfrmUnblock::~TfrmUnblock() {
    if (Handle())
        DestroyWindow(Handle());
}

UnblockChoice TfrmUnblock::ShowModal() {
    // The form creates and places its controls itself.
    static const EmptyDialogTemplate kTemplate{{kStyle, kExStyle, 0, 0, 0, 0, 0}};
    if (!CreateDialogFromTemplate(&kTemplate.header, nullptr))
        return UnblockChoice::Close;
    RunModalLoop(
        Handle(), [this] { return choice_.has_value(); }, [this](const MSG& msg) { return PreviewKey(msg); });
    DestroyWindow(Handle());
    return choice_.value_or(UnblockChoice::Close);
}

void TfrmUnblock::CreateControls() {
    HWND form = Handle();
    SetWindowTextA(form, ui_text::kUnblockCaption);
    const int dpi = int(dpi_);
    for (const ControlPlace& place : kControls) {
        const RECT box{place.box.left, place.box.top, place.box.Right(), place.box.Bottom()};
        CreateDialogControl(form, place.windowClass, place.text, WS_VISIBLE | place.style, ScaleToDpi(box, dpi),
                            place.id, paint_.TextFont());
    }
    // The first of the "MSGDLG" icons: the warning.
    icon_ = MessageIconBitmap(IconType::Warning, ScaleToDpi(40, dpi), ToColorRef(paint_.Colors().face));
    SendDlgItemMessageA(form, kImage1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(icon_.Get()));
    SetDlgItemTextA(form, kLblMsg, content_.message.c_str());
    SetDlgItemTextA(form, kEdtNG, content_.programPath.c_str());
    SetDlgItemTextA(form, kEdtWarden, content_.wardenPath.c_str());
    EnableWindow(GetDlgItem(form, kBtnReconnect), content_.reconnectEnabled);
    SendMessageA(form, DM_SETDEFID, kBtnOK, 0);
    SetFocus(GetDlgItem(form, kBtnOK));

    CentreDialog(form, ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi));
}

void TfrmUnblock::OnButton(int id) {
    switch (id) {
        case kBtnCopyNG:
            return CopyPath(kEdtNG);
        case kBtnCopyWarden:
            return CopyPath(kEdtWarden);
        case kBtnHelp:
            if (helpClick_)
                helpClick_();
            return;
        case kBtnReconnect:
            choice_ = UnblockChoice::Reconnect;
            return;
        case kBtnOK:
        case IDCANCEL:
            choice_ = UnblockChoice::Close;
            return;
    }
}

// The whole text, whatever the (disabled) edit would let a user select.
void TfrmUnblock::CopyPath(int editId) const {
    SetClipboardText(Handle(), WindowText(GetDlgItem(Handle(), editId)));
}

bool TfrmUnblock::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd)))
        return false;
    if (msg.wParam == VK_ESCAPE) {
        OnButton(IDCANCEL);
        return true;
    }
    if (msg.wParam == VK_RETURN) {
        HWND focused = GetFocus();
        SendMessageA(IsButton(GetDlgCtrlID(focused)) ? focused : GetDlgItem(Handle(), kBtnOK), BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

std::optional<LRESULT> TfrmUnblock::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto colors = paint_.ControlColors(message, wParam))
        return colors;
    switch (message) {
        case WM_INITDIALOG:
            CreateControls();
            return FALSE;  // the focus is set
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            paint_.DrawButton(item, item.CtlID == kBtnOK);
            return TRUE;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED)
                OnButton(LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            OnButton(IDCANCEL);
            return 0;
        default:
            return std::nullopt;
    }
}
