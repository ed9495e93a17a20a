#include "app/about_page_win.h"

#include <commctrl.h>

#include <utility>

#include "app/app_texts.h"
#include "resources/resource_ids.h"
#include "ui/toolkit/screen_dc_win.h"

namespace {

// Sizes the control to the text it shows and centres it: left = (page width - width) div 2.
void CentreOnPage(HWND page, int id, const std::string& text) {
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

}  // namespace

void FillAboutPage(const OptionsPages& pages, const std::string& programName, const std::string& websiteUrl) {
    HWND about = pages.Handle(Page::About);
    SetDlgItemTextA(about, IDC_LBL_APPNAME, programName.c_str());
    SetDlgItemTextA(about, IDC_LBL_MAKER, kMakerName);
    CentreOnPage(about, IDC_LBL_APPNAME, programName);
    // The links show their caption; the main form's logic knows where each leads.
    const std::pair<int, std::string> links[] = {
        {IDC_ULB_WEBSITE, websiteUrl},
        {IDC_ULB_CONTACT_US, kLinkContactUs},
        {IDC_ULB_SEE_MY_IP, kLinkSeeMyIP},
    };
    for (const auto& [id, caption] : links) {
        SetDlgItemTextA(about, id, ("<a>" + caption + "</a>").c_str());
        CentreOnPage(about, id, caption);
    }
}
