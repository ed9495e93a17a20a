// The forms and the menu are designed in pixels at 96 DPI and scaled to the screen's DPI.
#pragma once

inline constexpr int kDesignDpi = 96;

inline constexpr int ScaleToDpi(int designPixels, int dpi) {
    return (designPixels * dpi + kDesignDpi / 2) / kDesignDpi;
}
