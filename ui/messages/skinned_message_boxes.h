// The message boxes the program shows: the skinned TfrmMsg over the skin file of the settings.
#pragma once

#include "settings/program_values.h"
#include "ui/messages/message_boxes.h"

class SkinnedMessageBoxes final : public MessageBoxes {
  public:
    // Reads values.SkinPath at each call: it is empty until the settings are read, and then the
    // dialog takes the system's look.
    explicit SkinnedMessageBoxes(const ProgramValues& values) : values_(values) {}

    int ShowMessageBox(const std::string& caption,
                       const std::string& text,
                       MessageKind kind,
                       ButtonSet buttons) override;
    void ShowNotice(const std::string& caption, const std::string& text) override;

  private:
    const ProgramValues& values_;
};
