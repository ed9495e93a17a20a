// TfrmMsg, the program's message dialog: an icon, the wrapped message and up to three buttons,
// all real child controls in the skin's colours, shown modally in a message loop of its own.
//
// Keys: Tab and the arrows move between the buttons, a button's mnemonic or Space presses it,
// Enter presses the focused button, Escape presses the button that cancels (if there is one),
// and Ctrl+C copies the dialog as text. Closing through the frame gives kResultCancel. While it
// runs, the thread's other windows are disabled.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/messages/message_dialog.h"
#include "ui/messages/message_layout.h"
#include "ui/toolkit/modal_form_win.h"
#include "ui/toolkit/skin.h"

class TfrmMsg final : public ModalForm {
  public:
    TfrmMsg(const MessageDialog& dialog, const Skin& skin);

    // The modal result once ShowModal has returned: the pressed button's, or kResultCancel.
    int Result() const { return result_.value_or(kResultCancel); }

  private:
    FormDesign Design() const override;
    void ControlsCreated() override;
    void OnCommand(int id, int code) override;
    void OnClose() override;
    bool Finished() const override { return result_.has_value(); }
    bool PreviewKey(WPARAM key) override;

    const DialogButton* ButtonOf(int id) const;

    const MessageDialog& dialog_;
    MessageLayout layout_;  // in the screen's pixels
    std::optional<int> result_;
};

// TsuiMessageDialog's Execute: builds the form, shows it modally, frees it.
int ExecuteMessageDialog(const MessageDialog& dialog, const Skin& skin);
