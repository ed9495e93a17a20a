#include "app/frm_main_win.h"

#include <commctrl.h>

#include "app/about_page_win.h"
#include "app/options_controls_win.h"
#include "app/shutdown_block_win.h"
#include "resources/resource_ids.h"
#include "ui/toolkit/screen_dc_win.h"
#include "ui/toolkit/skin_paint_win.h"
#include "ui/tray/tray_win.h"

namespace {

// The dialog template names this class; a dialog's class needs the dialog manager's procedure
// and its window extra bytes.
void RegisterMainFormClass(HICON icon) {
    WNDCLASSEXA existing{sizeof(existing)};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, MAIN_FORM_CLASS, &existing))
        return;
    WNDCLASSEXA formClass{sizeof(formClass)};
    formClass.lpfnWndProc = DefDlgProcA;
    formClass.cbWndExtra = DLGWINDOWEXTRA;
    formClass.hInstance = instance;
    formClass.hIcon = icon;
    formClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = MAIN_FORM_CLASS;
    RegisterClassExA(&formClass);
}

void SetFontOfChildren(HWND parent, HFONT font) {
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM font) -> BOOL {
            SendMessageA(child, WM_SETFONT, WPARAM(font), TRUE);
            return TRUE;
        },
        LPARAM(font));
}

const std::pair<int, AboutLink> kLinks[] = {
    {IDC_ULB_WEBSITE, AboutLink::Website},
    {IDC_ULB_CONTACT_US, AboutLink::ContactUs},
    {IDC_ULB_SEE_MY_IP, AboutLink::SeeMyIP},
};

}  // namespace

TfrmMain::TfrmMain(MasqTray& tray) : tray_(tray) {}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::Create() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
    RegisterMainFormClass(icon);
    if (!CreateDialogFrom(MAKEINTRESOURCEA(IDD_MAIN), nullptr))
        return false;
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, LPARAM(icon));
    tray_.Start(Handle());
    return true;
}

bool TfrmMain::PreTranslateMessage(MSG& message) {
    HWND form = Handle();
    if (!form || !IsWindowVisible(form) || (message.hwnd != form && !IsChild(form, message.hwnd)))
        return false;
    return pages_.HandlePageKey(message) || pages_.TakeHotkeyKey(message) || IsDialogMessageA(form, &message);
}

std::optional<LRESULT> TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = tray_.HandleMenuMessage(message, wParam, lParam))
        return answer;
    if (skin_) {
        if (auto colors = skin_->ControlColors(message, wParam))
            return colors;
    }
    switch (message) {
        case WM_INITDIALOG:
            pages_.Create(Handle());
            return FALSE;
        case WM_SHOWWINDOW:
            if (wParam)
                routes.FormShow();
            return std::nullopt;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM:
            return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_TIMER:
            for (const FormTimer* timer : {&timRead, &timReset})
                if (timer->Id() == wParam)
                    timer->Tick();
            return 0;
        case WM_HOTKEY:
            routes.WMHotKey(int(wParam));
            return 0;
        case WM_NCLBUTTONDOWN:
            // The title bar's control-box button opens the program's own menu.
            if (wParam != HTSYSMENU)
                return std::nullopt;
            tray_.PopupMenu();
            return 0;
        case WM_SIZE:
            // The program lives in the tray: a minimised form goes there.
            if (wParam == SIZE_MINIMIZED)
                HideMainForm();
            return std::nullopt;
        case WM_SYSCOMMAND:
            return OnSystemCommand(wParam & 0xFFF0);
        case WM_CLOSE:
            routes.closeCommand();
            return 0;
        case WM_QUERYENDSESSION:
            return routes.WMEndSessionQuery() ? TRUE : FALSE;
        case WM_ENDSESSION:
            routes.WMEndSession(wParam != FALSE);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void TfrmMain::OnCommand(WORD id) {
    if (std::optional<TrayMenuItem> item = ItemOfCommand(id))
        return routes.menuCommand(*item);
    if (id == IDOK)
        routes.btnOKClick();
    else if (id == IDCANCEL)
        routes.suiButton1Click();
}

std::optional<LRESULT> TfrmMain::OnSystemCommand(WPARAM command) {
    if (command == SC_CONTEXTHELP) {
        routes.help();
        return 0;
    }
    if (command == SC_RESTORE) {  // the form was hidden when minimised: restoring shows it again
        ShowWindow(Handle(), SW_RESTORE);
        ShowWindow(Handle(), SW_SHOW);
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> TfrmMain::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_PAGES && header.code == TCN_SELCHANGE) {
        pages_.OnSelectionChange();
        return TRUE;
    }
    if (header.code == NM_CLICK || header.code == NM_RETURN) {
        for (const auto& [id, link] : kLinks) {
            if (header.idFrom == UINT_PTR(id)) {
                routes.aboutLink(link);
                return TRUE;
            }
        }
    }
    return std::nullopt;
}

std::optional<LRESULT> TfrmMain::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    if (!skin_)
        return std::nullopt;
    if (item.CtlType == ODT_TAB)
        pages_.DrawTab(item);
    else
        skin_->DrawButton(item, item.CtlID == IDOK);
    return TRUE;
}

void TfrmMain::CloseMainForm() {
    if (closed_)
        return;
    closed_ = true;
    routes.FormClose();
    DestroyWindow(Handle());
}

void TfrmMain::ApplySkin(const std::string& skinPath) {
    skin_ = std::make_unique<SkinPaint>(LoadSkinFile(skinPath), ScreenDc().Dpi());
    pages_.SetSkin(skin_.get());
    tray_.SetSkin(skin_->Colors());
    SetFontOfChildren(Handle(), skin_->TextFont());
    SendMessageA(pages_.Item(Page::About, IDC_LBL_APPNAME), WM_SETFONT, WPARAM(skin_->CaptionFont()), TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmMain::SetFormCaption(const std::string& caption) {
    SetWindowTextA(Handle(), caption.c_str());
}

void TfrmMain::SetAboutPage(const std::string& programName, const std::string& websiteUrl) {
    FillAboutPage(pages_, programName, websiteUrl);
}

void TfrmMain::ShowOptions(const Options& options) {
    ShowOptionsOn(pages_, options);
}

Options TfrmMain::ReadOptions() const {
    return ReadOptionsFrom(pages_);
}

void TfrmMain::ShowAboutPage() {
    pages_.Select(Page::About);
}

void TfrmMain::RestoreMainForm() {
    if (IsIconic(Handle()))
        ShowWindow(Handle(), SW_RESTORE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TfrmMain::HideMainForm() {
    if (IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_HIDE);
}

void TfrmMain::SetShutdownBlockReason(const std::string& reason) {
    ::SetShutdownBlockReason(Handle(), reason);
}
