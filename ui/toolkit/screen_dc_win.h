// The screen's device context, for measuring text and making bitmaps; released at scope exit.
#pragma once

#include <windows.h>

class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    HDC Get() const { return dc_; }
    UINT Dpi() const { return GetDeviceCaps(dc_, LOGPIXELSY); }

    // Size of `text` in `font`, wrapped at `wrapWidth` pixels when it is not 0.
    SIZE MeasureText(const char* text, HFONT font, int wrapWidth = 0) const {
        HGDIOBJ old = SelectObject(dc_, font);
        RECT box{0, 0, wrapWidth, 0};
        DrawTextA(dc_, text, -1, &box,
                  DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE));
        SelectObject(dc_, old);
        return {box.right - box.left, box.bottom - box.top};
    }

  private:
    HDC dc_;
};
