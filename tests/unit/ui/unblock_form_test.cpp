#include "ui/advice/unblock_form.h"

#include <gtest/gtest.h>

namespace {

UnblockAdviceContent Advice(bool reconnectEnabled) {
    return {"advice", reconnectEnabled, "C:\\Masq NG\\masqng.exe", "C:\\Masq NG\\warden.exe"};
}

TEST(UnblockForm, HelpOpensThePageEachTimeAndLeavesTheDialogOpen) {
    int opened = 0;
    UnblockForm form(Advice(true), [&] { ++opened; });
    form.btnHelpClick();
    form.btnHelpClick();
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(form.Closed());

    form.btnCloseClick();
    form.btnHelpClick();  // nothing opens behind a dialog that has ended
    EXPECT_EQ(opened, 2);
}

// The first button that ends the dialog is how it ended; Reconnect counts only where offered.
TEST(UnblockForm, ReconnectOrCloseEndsTheDialogOnce) {
    const struct {
        const char* name;
        bool reconnectEnabled;
        void (UnblockForm::*first)();
        void (UnblockForm::*second)();
        UnblockChoice choice;
    } cases[] = {
        {"reconnect", true, &UnblockForm::btnReconnectClick, &UnblockForm::btnCloseClick, UnblockChoice::Reconnect},
        {"close", true, &UnblockForm::btnCloseClick, &UnblockForm::btnReconnectClick, UnblockChoice::Close},
        {"reconnect not offered", false, &UnblockForm::btnReconnectClick, nullptr, UnblockChoice::Close},
    };
    for (const auto& c : cases) {
        UnblockForm form(Advice(c.reconnectEnabled), nullptr);
        (form.*c.first)();
        EXPECT_EQ(form.Closed(), c.second != nullptr) << c.name;
        if (c.second)
            (form.*c.second)();
        EXPECT_EQ(form.Choice(), c.choice) << c.name;
    }
}

}  // namespace
