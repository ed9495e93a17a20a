// The unblock advice dialog the program shows: TfrmUnblock over the skin file of the settings.
#pragma once

#include "settings/program_values.h"
#include "ui/advice/unblock_dialog.h"

class SkinnedUnblockDialog final : public UnblockDialog {
  public:
    explicit SkinnedUnblockDialog(const ProgramValues& values) : values_(values) {}
    void ShowModal(UnblockForm& form) override;

  private:
    const ProgramValues& values_;
};
