#include "ui/messages/message_dialog.h"

#include <iterator>

#include "ui/messages/message_texts.h"
#include "ui/toolkit/mnemonic.h"

namespace {

struct ButtonKind {
    unsigned systemTextId;  // 0: the caption is always `text`
    const char* text;       // the fixed caption, or the fallback for the system's
    int result;
};

// In bit order.
const ButtonKind kButtonKinds[] = {
    {805, ui_text::kYes, kResultYes},       {806, ui_text::kNo, kResultNo},
    {800, ui_text::kOK, kResultOK},         {801, ui_text::kCancel, kResultCancel},
    {802, ui_text::kAbort, kResultAbort},   {803, ui_text::kRetry, kResultRetry},
    {804, ui_text::kIgnore, kResultIgnore}, {0, ui_text::kAll, kResultAll},
    {0, ui_text::kNoToAll, kResultNoToAll}, {0, ui_text::kYesToAll, kResultYesToAll},
    {808, ui_text::kHelp, kResultNone},
};

const IconType kIconForKind[] = {IconType::Warning, IconType::Stop, IconType::Information, IconType::Help,
                                 IconType::None};

const char kSeparator[] = "---------------------------";
const char kLineEnd[] = "\r\n";
const char kButtonGap[] = "   ";

}  // namespace

IconType IconTypeFor(MessageKind kind) {
    auto index = static_cast<std::size_t>(kind);
    return index < std::size(kIconForKind) ? kIconForKind[index] : IconType::None;
}

std::vector<DialogButton> FillButtonSlots(ButtonSet buttons, const SystemTextLookup& systemText) {
    std::vector<DialogButton> slots;
    for (std::size_t bit = 0; bit < std::size(kButtonKinds) && slots.size() < kMaxButtons; ++bit) {
        if (!(buttons & (1u << bit)))
            continue;
        const ButtonKind& kind = kButtonKinds[bit];
        std::string caption = kind.systemTextId ? systemText(kind.systemTextId) : std::string();
        slots.push_back({caption.empty() ? kind.text : caption, kind.result});
    }
    return slots;
}

MessageDialog SkinMessageDlg(const std::string& text,
                             const std::string& caption,
                             MessageKind kind,
                             ButtonSet buttons,
                             const SystemTextLookup& systemText) {
    return {caption, text, IconTypeFor(kind), FillButtonSlots(buttons, systemText)};
}

MessageDialog NoticeDialog(const std::string& caption, const std::string& text) {
    return {caption, text, IconType::Warning, {{ui_text::kNoticeOK, kResultOK}}};
}

bool AnswersEscape(const DialogButton& button) {
    return button.result == kResultCancel;
}

bool IsDefaultButton(const DialogButton& button) {
    return button.result == kResultOK;
}

std::string ClipboardText(const MessageDialog& dialog) {
    std::string buttons;
    for (auto slot = dialog.buttons.rbegin(); slot != dialog.buttons.rend(); ++slot) {
        if (!buttons.empty())
            buttons += kButtonGap;
        buttons += WithoutMnemonics(slot->caption);
    }
    std::string text;
    for (const std::string& part : {dialog.caption, dialog.text, buttons})
        text += kSeparator + std::string(kLineEnd) + part + kLineEnd;
    return text + kSeparator;
}
