// Plain text onto the clipboard.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's content with `text` (CF_TEXT). The clipboard is closed again whatever
// fails on the way.
bool SetClipboardText(HWND owner, const std::string& text);
