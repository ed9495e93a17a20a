// Message boxes where none may show: in the program's watch after the program's end, and in a
// program that is crashing. Each box is answered as if its first button had been pressed.
#pragma once

#include "ui/messages/message_boxes.h"

class SilentMessageBoxes final : public MessageBoxes {
  public:
    int ShowMessageBox(const std::string&, const std::string&, MessageKind, ButtonSet buttons) override {
        const std::vector<DialogButton> slots = FillButtonSlots(buttons, [](unsigned) { return std::string(); });
        return slots.empty() ? kResultCancel : slots.front().result;
    }
    void ShowNotice(const std::string&, const std::string&) override {}
};
