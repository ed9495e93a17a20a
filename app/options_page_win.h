// One page of the options dialog: a child dialog from its template, in the skin's colours.
// Commands and notifications of its controls go on to the main form.
#pragma once

#include <functional>

#include "common/window_base_win.h"

class SkinPaint;

class OptionsPage final : public WindowBase {
  public:
    explicit OptionsPage(int templateId) : templateId_(templateId) {}
    bool Create(HWND owner);
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }
    void SetSkin(const SkinPaint* skin) { skin_ = skin; }

    // Asked before the skin for a control's colours (WM_CTLCOLOR*): controls with colours of
    // their own.
    std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)> ownColors;

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int templateId_;
    const SkinPaint* skin_ = nullptr;
};
