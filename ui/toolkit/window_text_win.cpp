#include "ui/toolkit/window_text_win.h"

std::string WindowText(HWND window) {
    std::string text(size_t(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(window, text.data(), int(text.size()))));
    return text;
}
