// The message dialog's icons: the "MSGDLG" bitmap of this module (warning, stop, information,
// help side by side, 40 x 40; "MSGDLG150" holds them at 60 x 60 for 150 % scaling).
#pragma once

#include <windows.h>

#include "common/unique_handle_win.h"
#include "ui/messages/message_dialog.h"

// The icon of `type` at `size` pixels over `background`, ready for a static image control;
// empty for IconType::None or when the resource cannot be read.
UniqueGdi<HBITMAP> MessageIconBitmap(IconType type, int size, COLORREF background);
