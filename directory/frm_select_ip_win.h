// TfrmSelectIP, the node selection dialog: the locations with their nodes in a list, "Always
// choose this location", OK and Cancel, in the skin's colours, shown modally in a loop of its
// own. It shows one SelectIpForm and hands its events to it; it decides nothing.
#pragma once

#include <windows.h>

#include "common/window_base_win.h"
#include "directory/node_selection.h"
#include "settings/program_values.h"
#include "ui/toolkit/skin.h"
#include "ui/toolkit/skin_paint_win.h"

class TfrmSelectIP final : public WindowBase {
  public:
    TfrmSelectIP(SelectIpForm& form, const Skin& skin);
    ~TfrmSelectIP() override;

    // Shows the dialog centred on the screen until the form closes it or the user cancels.
    void ShowModal();

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CreateControls();
    HWND CreateChild(const char* windowClass, const char* text, DWORD style, RECT designBox, int id);
    void FormShow();
    void btnOKClick();
    void btnCancelClick();

    SelectIpForm& form_;
    UINT dpi_;
    SkinPaint paint_;
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
