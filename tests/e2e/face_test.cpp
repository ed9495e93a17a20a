// The program's message dialog and tray images as a user meets them, shown by small fixture
// programs that use the very components masqng.exe does: found by their caption, their buttons
// read and pressed, Ctrl+C copied, screenshots taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/masq_session.h"
#include "tests/e2e/tray.h"

namespace e2e {

using namespace driver;

namespace {

// show_message.exe KIND BUTTONS TEXT: the dialog of ShowMessageBox, exiting with its result.
class MessageFixture {
  public:
    MessageFixture(int kind, int buttons, const std::string& text)
        : program_(FixtureCommand(SHOW_MESSAGE_EXE, std::to_string(kind) + " " + std::to_string(buttons) + " " + text)),
          dialog_(WaitForTopLevel(program_.Id(), "Masq NG")) {}

    HWND Dialog() const { return dialog_; }
    std::vector<std::string> ButtonTexts() const {  // left to right
        std::vector<std::string> texts;
        for (HWND button : ChildrenOfClass(dialog_, "Button"))
            texts.push_back(TextOf(button));
        return texts;
    }
    void Press(const std::string& text) const { Click(FindChild(dialog_, "Button", text)); }
    std::optional<DWORD> Result() { return program_.WaitForExit(kUiTimeout); }

  private:
    Program program_;
    HWND dialog_;
};

const std::string kSeparator(27, '-');

TEST(MessageDialog, AYesNoQuestionAnswersYesOrNoAndClosingTheFrameIsCancel) {
    const struct {
        const char* press;  // nullptr: close through the frame
        DWORD result;
    } cases[] = {{"&Yes", 6}, {"&No", 7}, {nullptr, 2}};
    for (const auto& c : cases) {
        MessageFixture question(0, 3, "Do you want to reconnect?");
        ASSERT_TRUE(question.Dialog());
        EXPECT_EQ(question.ButtonTexts(), (std::vector<std::string>{"&Yes", "&No"}));
        EXPECT_TRUE(FindChild(question.Dialog(), "Static", "Do you want to reconnect?"));
        if (c.press) {
            if (c.result == 6)
                SaveWindowScreenshot("question_yes_no", question.Dialog(), 8);
            question.Press(c.press);
        } else {
            PostMessageA(question.Dialog(), WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(question.Result(), c.result) << (c.press ? c.press : "frame");
    }
}

TEST(MessageDialog, AnErrorBoxCopiesItsTextWithCtrlC) {
    MessageFixture error(1, 4, "abc");
    ASSERT_TRUE(error.Dialog());
    EXPECT_EQ(error.ButtonTexts(), std::vector<std::string>{"OK"});
    SaveWindowScreenshot("error_box", error.Dialog(), 8);

    const std::string expected =
        kSeparator + "\r\nMasq NG\r\n" + kSeparator + "\r\nabc\r\n" + kSeparator + "\r\nOK\r\n" + kSeparator;
    // Watch the clipboard without opening it, so the test never holds it while the dialog copies.
    const DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(TypeKeyInto(error.Dialog(), 'C', {VK_CONTROL}));
    ASSERT_TRUE(WaitUntil([&] { return GetClipboardSequenceNumber() != before; }));
    EXPECT_EQ(ClipboardText(), expected);
    error.Press("OK");
    EXPECT_EQ(error.Result(), 1u);
}

TEST(MessageDialog, AnInformationNoticeShowsItsIcon) {
    MessageFixture notice(2, 4, "The options were saved. Masq NG keeps running in the notification area.");
    ASSERT_TRUE(notice.Dialog());
    SaveWindowScreenshot("information_notice", notice.Dialog(), 8);
    notice.Press("OK");
    EXPECT_EQ(notice.Result(), 1u);
}

}  // namespace
}  // namespace e2e
