// TfrmSelectIP, the node selection dialog: the locations with their nodes in a list, "Always
// choose this location", OK and Cancel, in the skin's colours, shown modally in a loop of its
// own. It shows one SelectIpForm and hands its events to it; it decides nothing.
#pragma once

#include <windows.h>

#include "directory/node_selection.h"
#include "settings/program_values.h"
#include "ui/toolkit/modal_form_win.h"
#include "ui/toolkit/skin.h"

class TfrmSelectIP final : public ModalForm {
  public:
    TfrmSelectIP(SelectIpForm& form, const Skin& skin);

  private:
    FormDesign Design() const override;
    void ControlsCreated() override;
    void FormShow() override;
    void OnCommand(int id, int code) override;
    void OnClose() override { btnCancelClick(); }
    bool Finished() const override { return closed_; }

    void btnOKClick();
    void btnCancelClick();

    SelectIpForm& form_;
    bool closed_ = false;
};

// The port for real: a new TfrmSelectIP in the skin of the settings for every opening.
class WinSelectIpDialogs final : public SelectIpDialogs {
  public:
    explicit WinSelectIpDialogs(const ProgramValues& values) : values_(values) {}
    void ShowModal(SelectIpForm& form) override;

  private:
    const ProgramValues& values_;
};
