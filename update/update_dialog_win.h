// ShowUpdateDialog for real: TfrmUpdate over WinInet, the data folder, Windows CNG and the
// shell. `closeMainForm` is the program's own way of closing its main form; it runs once the
// verified installer has started.
#pragma once

#include <functional>

#include "update/update_dialog.h"

class WinUpdateDialog final : public UpdateDialog {
  public:
    explicit WinUpdateDialog(std::function<void()> closeMainForm) : closeMainForm_(std::move(closeMainForm)) {}

    UpdateOutcome ShowUpdateDialog(const UpdateOffer& offer) override;

  private:
    std::function<void()> closeMainForm_;
};
