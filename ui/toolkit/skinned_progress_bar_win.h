// A progress bar in the skin's colours with its percentage as caption ("42%"), which is also its
// window text, so that a test or a screen reader can read it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/window_base_win.h"
#include "ui/toolkit/skin_paint_win.h"

class SkinnedProgressBar final : public WindowBase {
  public:
    explicit SkinnedProgressBar(const SkinPaint& paint) : paint_(paint) {}

    // A child of `parent` at `bounds` (client pixels), at 0 of 100.
    bool CreateIn(HWND parent, RECT bounds, int id);
    void SetProgress(std::int32_t position, std::int32_t maximum);

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc) const;

    const SkinPaint& paint_;
    std::int32_t position_ = 0;
    std::int32_t maximum_ = 100;
};
