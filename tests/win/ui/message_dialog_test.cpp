#include <gtest/gtest.h>

#include "settings/program_values.h"
#include "ui/messages/skinned_message_boxes.h"
#include "window_driver.h"

namespace {

const char kCaption[] = "Masq NG";

ModalOnWorker Show(const std::string& text, MessageKind kind, ButtonSet buttons) {
    return ModalOnWorker(kCaption, [=] {
        ProgramValues values;  // no skin file yet: the system look
        return SkinnedMessageBoxes(values).ShowMessageBox(kCaption, text, kind, buttons);
    });
}

std::vector<std::string> Captions(const std::vector<HWND>& buttons) {
    std::vector<std::string> captions;
    for (HWND button : buttons)
        captions.push_back(TextOf(button));
    return captions;
}

void PostKey(HWND dialog, WPARAM key) {
    PostMessageA(FocusOf(dialog), WM_KEYDOWN, key, 0);
}

}  // namespace

TEST(MessageDialog, YesNoQuestionHasYesLeftWithTheFocusAndIgnoresEscape) {
    ModalOnWorker question = Show("Connection lost. Reconnect?", MessageKind::Warning, kButtonsYesNo);
    ASSERT_TRUE(question.Window());
    std::vector<HWND> buttons = ChildrenOfClass(question.Window(), "Button");
    EXPECT_EQ(Captions(buttons), (std::vector<std::string>{"&Yes", "&No"}));  // never blank, even under Wine
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(question.Window()) == buttons[0]; }));

    PostKey(question.Window(), VK_ESCAPE);  // no button cancels: nothing happens
    PostKey(question.Window(), VK_RETURN);  // presses the focused Yes
    EXPECT_EQ(question.Result(), kResultYes);
}

TEST(MessageDialog, ButtonsAndMnemonicsGiveTheirResults) {
    struct Case {
        ButtonSet buttons;
        std::function<void(HWND dialog, const std::vector<HWND>& buttons)> press;
        int result;
    };
    const Case cases[] = {
        {kButtonsYesNo, [](HWND, auto& b) { SendMessageA(b[1], BM_CLICK, 0, 0); }, kResultNo},
        {kButtonsYesNo, [](HWND d, auto&) { PostMessageA(FocusOf(d), WM_CHAR, 'n', 0); }, kResultNo},
        {kButtonsOK, [](HWND d, auto&) { PostKey(d, VK_RETURN); }, kResultOK},
        {kButtonsOK, [](HWND d, auto&) { PostMessageA(d, WM_CLOSE, 0, 0); }, kResultCancel},
        {kButtonsOK, [](HWND d, auto&) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, kResultCancel},
        {kButtonsYesNo, [](HWND d, auto&) { PostMessageA(d, WM_CLOSE, 0, 0); }, kResultCancel},
        // Escape presses the button that cancels, when there is one.
        {4 | 8, [](HWND d, auto&) { PostKey(d, VK_ESCAPE); }, kResultCancel},
        // Enter presses the focused button, wherever the default is.
        {4 | 8, [](HWND d, auto& b) { SetFocus(b[1]), PostKey(d, VK_TAB), PostKey(d, VK_RETURN); }, kResultCancel},
    };
    for (const Case& c : cases) {
        ModalOnWorker dialog = Show("abc", MessageKind::Error, c.buttons);
        ASSERT_TRUE(dialog.Window());
        std::vector<HWND> buttons = ChildrenOfClass(dialog.Window(), "Button");
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(dialog.Window()) == buttons[0]; }));
        c.press(dialog.Window(), buttons);
        EXPECT_EQ(dialog.Result(), c.result) << c.buttons;
    }
}

TEST(MessageDialog, LongTextWrapsInsideTheLabelAndPushesTheButtonsDown) {
    auto measure = [](const std::string& text) {
        ModalOnWorker dialog = Show(text, MessageKind::Information, kButtonsOK);
        HWND label = ChildrenOfClass(dialog.Window(), "Static").back();  // right of the icon
        RECT labelBox = ClientRectOf(dialog.Window(), label);
        RECT buttonBox = ClientRectOf(dialog.Window(), ChildrenOfClass(dialog.Window(), "Button").at(0));
        EXPECT_EQ(labelBox.left, 88);
        EXPECT_EQ(labelBox.right - labelBox.left, 225);
        EXPECT_EQ(TextOf(label), text);
        return buttonBox;
    };
    RECT shortText = measure("abc");
    RECT longText = measure(std::string(40, 'x') + " " + std::string(400, 'y') + " The end of a long message.");
    EXPECT_EQ(shortText.right - shortText.left, 73);
    EXPECT_EQ(shortText.bottom - shortText.top, 25);
    EXPECT_EQ(shortText.top, 24 + 40 + 20);  // under the icon
    EXPECT_GT(longText.top, shortText.top + 60);
    EXPECT_EQ(longText.left, shortText.left);
}

TEST(MessageDialog, WithoutAnIconTheTextMovesLeftAndTheDialogNarrows) {
    ModalOnWorker dialog = Show("abc", MessageKind::Custom, kButtonsOK);
    std::vector<HWND> statics = ChildrenOfClass(dialog.Window(), "Static");
    ASSERT_EQ(statics.size(), 1u);
    EXPECT_EQ(ClientRectOf(dialog.Window(), statics[0]).left, 24);
    RECT client{};
    GetClientRect(dialog.Window(), &client);
    EXPECT_EQ(client.right, 336 - 64);
}

TEST(MessageDialog, CtrlCCopiesTheDialogAsText) {
    struct Case {
        ButtonSet buttons;
        const char* expected;
    };
    const Case cases[] = {
        {kButtonsOK,
         "---------------------------\r\nMasq NG\r\n---------------------------\r\nabc\r\n"
         "---------------------------\r\nOK\r\n---------------------------"},
        {kButtonsYesNo,
         "---------------------------\r\nMasq NG\r\n---------------------------\r\nabc\r\n"
         "---------------------------\r\nNo   Yes\r\n---------------------------"},
    };
    for (const Case& c : cases) {
        ModalOnWorker dialog = Show("abc", MessageKind::Error, c.buttons);
        const DWORD before = GetClipboardSequenceNumber();  // watched without opening the clipboard
        ASSERT_TRUE(TypeKeyInto(dialog.Window(), 'C', {VK_CONTROL}));
        ASSERT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != before; }));
        EXPECT_EQ(ClipboardText(), c.expected);
        TypeKey('C');  // without Ctrl: nothing happens
        PostMessageA(dialog.Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(dialog.Result(), kResultCancel);
    }
}

TEST(MessageDialog, NoticeHasOneOKButtonAndTheWarningIcon) {
    ModalOnWorker notice(kCaption, [] {
        ProgramValues values;
        SkinnedMessageBoxes(values).ShowNotice(kCaption, "Step 1 of the tour");
        return 0;
    });
    ASSERT_TRUE(notice.Window());
    EXPECT_EQ(Captions(ChildrenOfClass(notice.Window(), "Button")), std::vector<std::string>{"&OK"});
    HWND image = ChildrenOfClass(notice.Window(), "Static").front();
    EXPECT_NE(SendMessageA(image, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    PostKey(notice.Window(), VK_RETURN);
    EXPECT_EQ(notice.Result(), 0);
}
