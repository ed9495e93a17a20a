// TfrmUpdate: the update's progress dialog. A caption and no close button, the label, and the
// skinned progress bar along the bottom edge showing its percentage; after a failure a
// "&Close" button (Enter or Escape press it) is the way out. It shows one UpdateLogic, whose
// view it is while it exists, and forwards every event to it.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/toolkit/modal_form_win.h"
#include "ui/toolkit/skin.h"
#include "ui/toolkit/skinned_progress_bar_win.h"
#include "update/update_logic.h"

class TfrmUpdate final : public ModalForm, private UpdateView {
  public:
    TfrmUpdate(UpdateLogic& logic, const Skin& skin);
    // Detaches from the logic first, which stops a running download: a call the worker sent
    // then never reaches this form or its controls.
    ~TfrmUpdate() override;

    // How the dialog ended, once ShowModal has returned.
    UpdateOutcome Outcome() const { return outcome_.value_or(UpdateOutcome::kDismissed); }

  private:
    // UpdateView
    void SetProgress(std::int32_t position, std::int32_t maximum) override;
    void ShowError(const std::string& text) override;
    void AllowDismiss() override;
    void CloseDialog(UpdateOutcome outcome) override;

    FormDesign Design() const override;
    void ControlsCreated() override;
    // Starts the download.
    void FormShow() override { logic_.FormShow(); }
    void OnCommand(int id, int code) override;
    void OnClose() override { logic_.btnCloseClick(); }
    bool Finished() const override { return outcome_.has_value(); }

    UpdateLogic& logic_;
    SkinnedProgressBar suiProgressBar1_;
    std::optional<UpdateOutcome> outcome_;
};
