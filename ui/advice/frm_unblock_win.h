// TfrmUnblock, the unblock advice dialog: the warning icon, the advice, the paths of masqng.exe
// and warden.exe in disabled edits with a copy button each, and the buttons Help, Reconnect and
// Close, all real child controls in the skin's colours, shown modally in a loop of its own. It
// shows one UnblockForm and hands its buttons to it.
//
// Copy puts the whole path on the clipboard; Escape and the frame's close button are Close,
// Enter presses the focused button or Close. While it runs, the thread's other windows are
// disabled.
#pragma once

#include <windows.h>

#include "ui/advice/unblock_form.h"
#include "ui/toolkit/modal_form_win.h"
#include "ui/toolkit/skin.h"

class TfrmUnblock final : public ModalForm {
  public:
    TfrmUnblock(UnblockForm& form, const Skin& skin);

  private:
    FormDesign Design() const override;
    void ControlsCreated() override;
    void OnCommand(int id, int code) override;
    void OnClose() override { form_.btnCloseClick(); }
    bool Finished() const override { return form_.Closed(); }
    bool PreviewKey(WPARAM key) override;

    void CopyPath(int editId) const;

    UnblockForm& form_;
};
