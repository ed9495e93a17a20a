// What the program opens for the user: its log, and the maker's pages in the default browser,
// each by its address, never by a link's caption.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/opened_documents.h"

namespace e2e {

using namespace driver;

namespace {

void ClickLink(HWND link) {
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

TEST_F(MasqTest, TheMenuAndTheAboutLinksOpenTheirAddresses) {
    WritePrivateProfileStringA("Hosts", "Web", "127.0.0.1", Paths().siteFile.c_str());
    OpenedDocuments opened;
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());

    masq.Command(TrayMenuItem::Report1);
    EXPECT_EQ(opened.Next(), Paths().report);
    masq.Command(TrayMenuItem::SeeMyIP1);
    EXPECT_EQ(opened.Next(), "http://127.0.0.1/ip.php");

    masq.Command(TrayMenuItem::About1);
    HWND form = masq.MainForm();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != 0; }));
    const struct {
        int link;
        const char* address;
    } links[] = {
        {IDC_ULB_WEBSITE, "http://127.0.0.1/"},
        {IDC_ULB_CONTACT_US, "http://127.0.0.1/contact.html"},
        {IDC_ULB_SEE_MY_IP, "http://127.0.0.1/ip.php"},
    };
    for (const auto& l : links) {
        ClickLink(FindChildById(form, l.link));
        EXPECT_EQ(opened.Next(), l.address);
    }
}

}  // namespace
}  // namespace e2e
