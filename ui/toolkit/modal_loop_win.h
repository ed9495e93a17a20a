// The modal loop of the program's own dialogs: the thread's other windows are disabled while it
// runs, and it ends when the dialog has its result or is gone.
#pragma once

#include <windows.h>

#include <functional>

// Shows `dialog` in front and runs its messages until `finished` holds or the window is gone. A
// message `previewKey` takes is not dispatched further. A WM_QUIT is posted again for the loop
// of the caller.
void RunModalLoop(HWND dialog,
                  const std::function<bool()>& finished,
                  const std::function<bool(const MSG&)>& previewKey);
