#include "ui/messages/message_dialog.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/fake_message_boxes.h"

namespace {

// The system's texts as Windows has them.
std::string WindowsText(unsigned id) {
    static const std::map<unsigned, std::string> texts = {{800, "OK"},     {801, "Cancel"},  {802, "&Abort"},
                                                          {803, "&Retry"}, {804, "&Ignore"}, {805, "&Yes"},
                                                          {806, "&No"},    {808, "Help"}};
    auto found = texts.find(id);
    return found == texts.end() ? "" : found->second;
}

// A system without any of them, as under Wine.
std::string NoText(unsigned) {
    return "";
}

constexpr ButtonSet Bit(int kind) {
    return ButtonSet(1u << kind);
}

}  // namespace

TEST(MessageDialog, MessageKindsPickTheirIcons) {
    EXPECT_EQ(IconTypeFor(MessageKind::Warning), IconType::Warning);
    EXPECT_EQ(IconTypeFor(MessageKind::Error), IconType::Stop);
    EXPECT_EQ(IconTypeFor(MessageKind::Information), IconType::Information);
    EXPECT_EQ(IconTypeFor(MessageKind::Confirmation), IconType::Help);
    EXPECT_EQ(IconTypeFor(MessageKind::Custom), IconType::None);
}

TEST(MessageDialog, ButtonSetsFillTheSlotsInBitOrder) {
    struct Case {
        ButtonSet set;
        std::vector<DialogButton> slots;
    };
    const Case cases[] = {
        {kButtonsOK, {{"OK", kResultOK}}},
        {kButtonsYesNo, {{"&Yes", kResultYes}, {"&No", kResultNo}}},
        {Bit(2) | Bit(3), {{"OK", kResultOK}, {"Cancel", kResultCancel}}},
        {Bit(4) | Bit(5) | Bit(6), {{"&Abort", kResultAbort}, {"&Retry", kResultRetry}, {"&Ignore", kResultIgnore}}},
        {Bit(7) | Bit(8) | Bit(9),
         {{"All", kResultAll}, {"No to All", kResultNoToAll}, {"Yes to All", kResultYesToAll}}},
        // More kinds than slots: the fourth and later are dropped.
        {Bit(0) | Bit(1) | Bit(3) | Bit(9) | Bit(10),
         {{"&Yes", kResultYes}, {"&No", kResultNo}, {"Cancel", kResultCancel}}},
        {Bit(10), {{"Help", kResultNone}}},
        {0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FillButtonSlots(c.set, WindowsText), c.slots) << c.set;
}

TEST(MessageDialog, CaptionsComeFromTheSystemAndFallBackWhenItHasNone) {
    auto localized = [](unsigned id) { return id == 805 ? std::string("&Ja") : WindowsText(id); };
    EXPECT_EQ(FillButtonSlots(kButtonsYesNo, localized)[0].caption, "&Ja");

    std::vector<std::string> captions;
    for (int kind = 0; kind <= 10; ++kind)
        captions.push_back(FillButtonSlots(Bit(kind), NoText).at(0).caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "All",
                                                  "No to All", "Yes to All", "Help"}));
}

TEST(MessageDialog, OnlyCancelAnswersEscapeAndOnlyOKIsDefault) {
    for (int kind = 0; kind <= 10; ++kind) {
        DialogButton button = FillButtonSlots(Bit(kind), WindowsText).at(0);
        EXPECT_EQ(AnswersEscape(button), kind == 3) << kind;
        EXPECT_EQ(IsDefaultButton(button), kind == 2) << kind;
    }
}

TEST(MessageDialog, ShowMessageBoxAndNoticeBuildTheirDialogs) {
    MessageDialog question = SkinMessageDlg("Reconnect?", "Masq NG", MessageKind::Warning, kButtonsYesNo, NoText);
    EXPECT_EQ(question.caption, "Masq NG");
    EXPECT_EQ(question.text, "Reconnect?");
    EXPECT_EQ(question.icon, IconType::Warning);
    EXPECT_EQ(question.buttons.size(), 2u);

    MessageDialog notice = NoticeDialog("Masq NG", "Step 1");
    EXPECT_EQ(notice.icon, IconType::Warning);
    EXPECT_EQ(notice.buttons, (std::vector<DialogButton>{{"&OK", kResultOK}}));
}

TEST(MessageDialog, CtrlCCopiesCaptionTextAndButtonsRightmostFirst) {
    EXPECT_EQ(ClipboardText(SkinMessageDlg("abc", "Masq NG", MessageKind::Error, kButtonsOK, WindowsText)),
              "---------------------------\r\n"
              "Masq NG\r\n"
              "---------------------------\r\n"
              "abc\r\n"
              "---------------------------\r\n"
              "OK\r\n"
              "---------------------------");
    EXPECT_EQ(ClipboardText(SkinMessageDlg("Go on?", "Masq NG", MessageKind::Warning, kButtonsYesNo, WindowsText)),
              "---------------------------\r\n"
              "Masq NG\r\n"
              "---------------------------\r\n"
              "Go on?\r\n"
              "---------------------------\r\n"
              "No   Yes\r\n"
              "---------------------------");
}

TEST(FakeMessageBoxes, RecordsMessagesAndAnswersFromItsScriptThenWithTheFocusedButton) {
    FakeMessageBoxes boxes;
    boxes.answers = {kResultNo};
    MessageBoxes& port = boxes;
    EXPECT_EQ(port.ShowMessageBox("Masq NG", "Reconnect?", MessageKind::Warning, kButtonsYesNo), kResultNo);
    EXPECT_EQ(port.ShowMessageBox("Masq NG", "Reconnect?", MessageKind::Warning, kButtonsYesNo), kResultYes);
    EXPECT_EQ(port.ShowMessageBox("Masq NG", "Failed", MessageKind::Error, kButtonsOK), kResultOK);
    port.ShowNotice("Masq NG", "Step 1");
    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(boxes.shown[2].text, "Failed");
    EXPECT_EQ(boxes.shown[2].kind, MessageKind::Error);
    EXPECT_TRUE(boxes.shown[3].notice);
}
