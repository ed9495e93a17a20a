// The port through which the program's logic shows its messages: always modal, always in the
// program's own dialog (captioned by the caller, "Masq NG" everywhere in this program).
#pragma once

#include <string>

#include "ui/messages/message_dialog.h"

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Returns the modal result of the button pressed (kResultOK ... kResultYesToAll), or
    // kResultCancel when the dialog was closed through its frame.
    virtual int ShowMessageBox(const std::string& caption,
                               const std::string& text,
                               MessageKind kind,
                               ButtonSet buttons) = 0;
    // One "&OK" button and the warning icon.
    virtual void ShowNotice(const std::string& caption, const std::string& text) = 0;
};
