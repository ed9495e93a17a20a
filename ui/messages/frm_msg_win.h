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
#include <vector>

#include "common/unique_handle_win.h"
#include "common/window_base_win.h"
#include "ui/messages/message_dialog.h"
#include "ui/toolkit/skin.h"
#include "ui/toolkit/skin_paint_win.h"

class TfrmMsg final : public WindowBase {
  public:
    TfrmMsg(MessageDialog dialog, const Skin& skin);
    ~TfrmMsg() override;  // the window goes before the fonts and the bitmap it shows

    // Shows the dialog centred on the screen and returns the modal result.
    int ShowModal();

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls();
    bool PreviewKey(const MSG& msg);
    const DialogButton* ButtonOf(HWND control) const;
    void Press(HWND button) const;

    MessageDialog dialog_;
    UINT dpi_;
    SkinPaint paint_;
    UniqueGdi<HBITMAP> icon_;
    std::vector<HWND> buttons_;  // in slot order, left to right
    std::optional<int> result_;
};

// TsuiMessageDialog's Execute: builds the form, shows it modally, frees it.
int ExecuteMessageDialog(const MessageDialog& dialog, const Skin& skin);
