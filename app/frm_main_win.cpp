#include "app/frm_main.h"

#include <commctrl.h>

#include <cctype>
#include <iterator>

#include "app/app_texts.h"
#include "app/shutdown_block.h"
#include "common/text_lines.h"
#include "resources/resource_ids.h"
#include "settings/options.h"
#include "ui/mnemonic.h"
#include "ui/screen_dc.h"
#include "ui/skin_paint.h"
#include "ui/tray_menu.h"
#include "ui/ui_texts.h"

namespace {

struct PageInfo {
    int templateId;
    const char* caption;
};

const PageInfo kPages[] = {
    {IDD_PAGE_GENERAL, "&General"},
    {IDD_PAGE_BYPASS, "&Bypass"},
    {IDD_PAGE_HOTKEY, "&HotKey"},
    {IDD_PAGE_ABOUT, "&About"},
};
constexpr int kAboutPage = 3;

using MenuHandler = void (MainLogic::*)();
const std::pair<TrayMenuItem, MenuHandler> kMenuHandlers[] = {
    {TrayMenuItem::Masq1, &MainLogic::Masq1Click},         {TrayMenuItem::StopMasq1, &MainLogic::StopMasq1Click},
    {TrayMenuItem::SelectIP1, &MainLogic::SelectIP1Click}, {TrayMenuItem::SeeMyIP1, &MainLogic::SeeMyIP1Click},
    {TrayMenuItem::Options1, &MainLogic::Options1Click},   {TrayMenuItem::Report1, &MainLogic::Report1Click},
    {TrayMenuItem::Help1, &MainLogic::Help1Click},         {TrayMenuItem::About1, &MainLogic::About1Click},
    {TrayMenuItem::Exit1, &MainLogic::Exit1Click},
};

void SetCheck(HWND control, bool checked) {
    SendMessageA(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND control) {
    return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string WindowText(HWND window) {
    std::string text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(window, text.data(), int(text.size()))));
    return text;
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

}  // namespace

TfrmMain::TfrmMain(ProgramValues& values, MainPorts ports)
    : logic_(values, ports, *this),
      ppmMain_(SystemSkin()),
      pages_{OptionsPage(kPages[0].templateId, skin_), OptionsPage(kPages[1].templateId, skin_),
             OptionsPage(kPages[2].templateId, skin_), OptionsPage(kPages[3].templateId, skin_)} {}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::Create() {
    if (!CreateModeless(MAKEINTRESOURCEA(IDD_MAIN), nullptr))
        return false;
    StartTray();
    return logic_.InitMain() && !closed_;
}

void TfrmMain::StartTray() {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, LPARAM(icon));

    // Frame 0 of the busy images, still, with the program's short name until the first state.
    ctiControl_.SetIconList(&images_.busy);
    ctiControl_.SetHint(ui_text::kTipAtStart);
    ctiControl_.OnClick = [this] { ctiControlClick(); };
    ctiControl_.OnStartup = [this](bool& showMainForm) { ctiControlStartup(showMainForm); };
    ctiControl_.SetMainForm(Handle());
    ctiControl_.Startup();
}

void TfrmMain::ctiControlClick() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ppmMain_.Popup(Handle(), cursor);
}

void TfrmMain::ctiControlStartup(bool& showMainForm) {
    showMainForm = false;
}

bool TfrmMain::PreTranslateMessage(MSG& message) {
    HWND form = Handle();
    if (!form || !IsWindowVisible(form) || (message.hwnd != form && !IsChild(form, message.hwnd)))
        return false;
    // The page control's captions have mnemonics too: Alt+letter and Ctrl+Tab switch pages.
    if (message.message == WM_SYSCHAR) {
        for (int page = 0; page < int(std::size(kPages)); ++page) {
            if (MnemonicOf(kPages[page].caption) == char(std::toupper(int(message.wParam & 0xFF)))) {
                SelectPage(page);
                return true;
            }
        }
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        const int step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        SelectPage((currentPage_ + step + int(std::size(kPages))) % int(std::size(kPages)));
        return true;
    }
    return IsDialogMessageA(form, &message);
}

INT_PTR TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = ppmMain_.HandleOwnerMessage(message, wParam, lParam)) {
        Answer(*answer);
        return TRUE;
    }
    switch (message) {
        case WM_INITDIALOG:
            CreatePages();
            return FALSE;
        case WM_SHOWWINDOW:
            if (wParam)
                logic_.FormShow();
            return FALSE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!skin_)
                return FALSE;
            if (item.CtlType == ODT_TAB)
                DrawPageTab(item);
            else
                skin_->DrawButton(item, item.CtlID == IDOK);
            return TRUE;
        }
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return skin_ ? reinterpret_cast<INT_PTR>(skin_->ControlColors(message, reinterpret_cast<HDC>(wParam)))
                         : FALSE;
        case WM_NCLBUTTONDOWN:
            // The title bar's control-box button opens the program's own menu.
            if (wParam != HTSYSMENU)
                return FALSE;
            ctiControlClick();
            return TRUE;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
                logic_.Help1Click();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            // However the form is closed, the browsers must not stay on a proxy that is about to go.
            logic_.Exit1Click();
            return TRUE;
        case WM_QUERYENDSESSION:
            Answer(logic_.WMEndSessionQuery() ? TRUE : FALSE);
            return TRUE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return FALSE;
        default:
            return FALSE;
    }
}

void TfrmMain::Answer(LRESULT result) {
    SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
}

void TfrmMain::CreatePages() {
    HWND tabs = GetDlgItem(Handle(), IDC_PAGES);
    SetWindowLongPtrA(tabs, GWL_STYLE, GetWindowLongPtrA(tabs, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (int i = 0; i < int(std::size(kPages)); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPages[i].caption);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }

    RECT area{};
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (OptionsPage& page : pages_) {
        page.Create(Handle());
        // Above the page control, so that it never paints over the page.
        SetWindowPos(page.Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
    }
    SelectPage(0);
}

void TfrmMain::SelectPage(int index) {
    currentPage_ = index;
    SendMessageA(GetDlgItem(Handle(), IDC_PAGES), TCM_SETCURSEL, index, 0);
    for (int i = 0; i < int(pages_.size()); ++i)
        ShowWindow(pages_[i].Handle(), i == index ? SW_SHOW : SW_HIDE);
}

void TfrmMain::OnCommand(int id) {
    if (auto item = ItemOfCommand(unsigned(id))) {
        for (const auto& [menuItem, handler] : kMenuHandlers)
            if (menuItem == *item)
                (logic_.*handler)();
        return;
    }
    switch (id) {
        case IDOK:
            logic_.btnOKClick();
            break;
        case IDCANCEL:
            logic_.suiButton1Click();
            break;
        default:
            break;
    }
}

INT_PTR TfrmMain::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_PAGES && header.code == TCN_SELCHANGE) {
        SelectPage(int(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
        return TRUE;
    }
    if (header.code == NM_CLICK || header.code == NM_RETURN) {
        // The links open their address, never their caption.
        switch (header.idFrom) {
            case IDC_ULB_WEBSITE:
                logic_.OpenLink(WebsiteUrl(logic_.Site()));
                return TRUE;
            case IDC_ULB_CONTACT_US:
                logic_.OpenLink(ContactUrl(logic_.Site()));
                return TRUE;
            case IDC_ULB_SEE_MY_IP:
                logic_.OpenLink(WhatIsMyIpUrl(logic_.Site()));
                return TRUE;
            default:
                break;
        }
    }
    return FALSE;
}

void TfrmMain::DrawPageTab(const DRAWITEMSTRUCT& item) const {
    const Skin& colors = skin_->Colors();
    const bool selected = item.itemState & ODS_SELECTED;
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, skin_->Brush(selected ? colors.titleBar : colors.face));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ToColorRef(selected ? colors.titleText : colors.text));
    HGDIOBJ oldFont = SelectObject(item.hDC, skin_->TextFont());
    DrawTextA(item.hDC, kPages[item.itemID].caption, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, oldFont);
}

void TfrmMain::CloseMainForm() {
    if (closed_)
        return;
    closed_ = true;
    logic_.FormClose();
    DestroyWindow(Handle());
}

void TfrmMain::ApplySkin(const std::string& skinPath) {
    skinPaint_ = std::make_unique<SkinPaint>(LoadSkinFile(skinPath), ScreenDc().Dpi());
    skin_ = skinPaint_.get();
    ppmMain_.SetSkin(skin_->Colors());
    SetFontOfChildren(Handle(), skin_->TextFont());
    SendMessageA(pages_[kAboutPage].Item(IDC_LBL_APPNAME), WM_SETFONT, WPARAM(skin_->CaptionFont()), TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TfrmMain::SetFormCaption(const std::string& caption) {
    SetWindowTextA(Handle(), caption.c_str());
}

void TfrmMain::SetAboutPage(const std::string& programName, const std::string& websiteUrl) {
    const OptionsPage& about = pages_[kAboutPage];
    SetWindowTextA(about.Item(IDC_LBL_APPNAME), programName.c_str());
    SetWindowTextA(about.Item(IDC_LBL_MAKER), ui_text::kMakerName);
    CentreOnAboutPage(IDC_LBL_APPNAME, programName);
    // The links show their caption and open their own address (OnNotify), never the caption.
    const std::pair<int, std::string> links[] = {
        {IDC_ULB_WEBSITE, websiteUrl},
        {IDC_ULB_CONTACT_US, ui_text::kLinkContactUs},
        {IDC_ULB_SEE_MY_IP, ui_text::kLinkSeeMyIP},
    };
    for (const auto& [id, caption] : links) {
        SetWindowTextA(about.Item(id), ("<a>" + caption + "</a>").c_str());
        CentreOnAboutPage(id, caption);
    }
}

// Sizes the control to the text it shows and centres it: left = (page width - width) div 2.
void TfrmMain::CentreOnAboutPage(int id, const std::string& text) {
    HWND page = pages_[kAboutPage].Handle();
    HWND control = GetDlgItem(page, id);
    RECT pageBox{}, box{};
    GetClientRect(page, &pageBox);
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);

    // A link knows its own width (LM_GETIDEALSIZE, the same message as LM_GETIDEALHEIGHT from
    // Windows Vista on); a label is as wide as its text.
    SIZE ideal{};
    SendMessageA(control, LM_GETIDEALHEIGHT, WPARAM(pageBox.right), reinterpret_cast<LPARAM>(&ideal));
    int width = ideal.cx;
    if (width <= 0)
        width = ScreenDc().MeasureText(text.c_str(), HFONT(SendMessageA(control, WM_GETFONT, 0, 0))).cx;
    MoveWindow(control, (pageBox.right - width) / 2, box.top, width, box.bottom - box.top, TRUE);
}

void TfrmMain::ShowOptions(const Options& options) {
    const OptionsPage& general = pages_[0];
    SetCheck(general.Item(IDC_CHK_START_WITH_WINDOWS), options.startWithWindows);
    SetCheck(general.Item(IDC_CHK_COUNTRY), options.autoSelectCountry);
    SetCheck(general.Item(IDC_CHK_IE), options.browserIE);
    SetCheck(general.Item(IDC_CHK_FIREFOX), options.browserFirefox);
    // Like a radio group's item index: a stored mode above the last item selects the last one.
    SetCheck(general.Item(IDC_RDG_FIREFOX_PLUGIN), options.firefoxControlMode == kPluginMode);
    SetCheck(general.Item(IDC_RDG_FIREFOX_RESTART), options.firefoxControlMode >= kRestartFirefox);
    SetWindowTextA(pages_[1].Item(IDC_MEM_BYPASS), JoinLines(options.bypass).c_str());
    SetCheck(pages_[2].Item(IDC_CHK_HOTKEY), options.hotkeyEnable);
}

Options TfrmMain::ReadOptions() const {
    const OptionsPage& general = pages_[0];
    Options options;
    options.startWithWindows = IsChecked(general.Item(IDC_CHK_START_WITH_WINDOWS));
    options.autoSelectCountry = IsChecked(general.Item(IDC_CHK_COUNTRY));
    options.browserIE = IsChecked(general.Item(IDC_CHK_IE));
    options.browserFirefox = IsChecked(general.Item(IDC_CHK_FIREFOX));
    options.firefoxControlMode = IsChecked(general.Item(IDC_RDG_FIREFOX_PLUGIN))    ? kPluginMode
                                 : IsChecked(general.Item(IDC_RDG_FIREFOX_RESTART)) ? kRestartFirefox
                                                                                    : kNoFirefoxMode;
    options.bypass = SplitLines(WindowText(pages_[1].Item(IDC_MEM_BYPASS)));
    options.hotkeyEnable = IsChecked(pages_[2].Item(IDC_CHK_HOTKEY));
    return options;
}

void TfrmMain::ShowAboutPage() {
    SelectPage(kAboutPage);
}

void TfrmMain::RestoreMainForm() {
    ctiControl_.RestoreMainForm();
}

void TfrmMain::HideMainForm() {
    ctiControl_.HideMainForm();
}

void TfrmMain::SetShutdownBlockReason(const std::string& reason) {
    ::SetShutdownBlockReason(Handle(), reason);
}
