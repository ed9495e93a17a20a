// TfrmUpdate: the update's progress dialog. A caption and no close button, the label, and the
// skinned progress bar along the bottom edge showing its percentage; after a failure a
// "&Close" button (Enter or Escape press it) is the way out. It owns its window, shows it in a
// modal loop of its own, and forwards every event to UpdateLogic.
#pragma once

#include <windows.h>

#include <optional>

#include "common/window_base_win.h"
#include "ui/toolkit/skin_paint_win.h"
#include "ui/toolkit/skinned_progress_bar_win.h"
#include "update/update_logic.h"

class TfrmUpdate final : public WindowBase, private UpdateView {
  public:
    TfrmUpdate(const UpdateOffer& offer, UpdatePorts ports);
    ~TfrmUpdate() override;

    // Shows the dialog centred on the screen (which starts the download) until it closes.
    UpdateOutcome ShowModal();

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // UpdateView
    void SetProgress(std::int32_t position, std::int32_t maximum) override;
    void ShowError(const std::string& text) override;
    void AllowDismiss() override;
    void CloseDialog(UpdateOutcome outcome) override;

    void CreateControls();

    UINT dpi_;
    SkinPaint paint_;
    SkinnedProgressBar suiProgressBar1_;
    HWND Label1_ = nullptr;
    HWND btnClose_ = nullptr;
    std::optional<UpdateOutcome> outcome_;
    bool shown_ = false;
    UpdateLogic logic_;  // last: its download goes first, before the controls it reports to
};
