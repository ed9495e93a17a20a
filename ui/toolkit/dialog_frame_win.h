// The children and the frame of the program's own dialogs, which create and place everything
// themselves instead of taking it from a dialog resource.
#pragma once

#include <windows.h>

// A box designed in pixels at 96 DPI, scaled to the screen's DPI.
RECT ScaleToDpi(const RECT& designBox, int dpi);

// A child control of `dialog` at `box` (screen pixels), in `font`; WS_CHILD is added to `style`.
HWND CreateDialogControl(HWND dialog, const char* windowClass, const char* text, DWORD style, const RECT& box, int id,
                         HFONT font);

// Sizes the dialog to a client area of `clientWidth` × `clientHeight` screen pixels within the
// frame of its styles, and centres it on the work area.
void CentreDialog(HWND dialog, int clientWidth, int clientHeight);
