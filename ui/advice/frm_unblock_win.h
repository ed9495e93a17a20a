// TfrmUnblock, the unblock advice dialog: the warning icon, the advice, the paths of masqng.exe
// and warden.exe in disabled edits with a copy button each, and the buttons Help, Reconnect and
// Close, all real child controls in the skin's colours, shown modally in a loop of its own.
//
// Copy puts the whole path on the clipboard; Help calls the help route and the dialog stays;
// Reconnect and Close end it (Escape and the frame's close button are Close, Enter presses the
// focused button or Close). While it runs, the thread's other windows are disabled.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "common/unique_handle_win.h"
#include "common/window_base_win.h"
#include "ui/advice/unblock_dialog.h"
#include "ui/toolkit/skin.h"
#include "ui/toolkit/skin_paint_win.h"

class TfrmUnblock final : public WindowBase {
  public:
    TfrmUnblock(UnblockAdviceContent content, const Skin& skin, std::function<void()> helpClick);
    ~TfrmUnblock() override;  // the window goes before the fonts and the bitmap it shows

    // Shows the dialog centred on the screen; returns how it ended, once the window is gone.
    UnblockChoice ShowModal();

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls();
    void OnButton(int id);
    void CopyPath(int editId) const;
    bool PreviewKey(const MSG& msg);

    UnblockAdviceContent content_;
    std::function<void()> helpClick_;
    UINT dpi_;
    SkinPaint paint_;
    UniqueGdi<HBITMAP> icon_;
    std::optional<UnblockChoice> choice_;
};
