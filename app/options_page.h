// One page of the options dialog: a child dialog from its template, in the skin's colours.
// Commands and notifications of its controls go on to the main form.
#pragma once

#include "common/window_base.h"

class SkinPaint;

class OptionsPage final : public DialogBase {
  public:
    OptionsPage(int templateId, const SkinPaint*& skin) : templateId_(templateId), skin_(skin) {}
    bool Create(HWND owner);
    HWND Item(int id) const { return GetDlgItem(Handle(), id); }

  protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int templateId_;
    const SkinPaint*& skin_;  // the main form's current skin, changed when it applies one
};
