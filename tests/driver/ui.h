// Finding and working windows the way a user or a screen reader does: texts through WM_GETTEXT,
// buttons pressed, keys typed. Works on other processes' windows and on the test's own.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "tests/driver/wait.h"

namespace driver {

struct Control {
    HWND hwnd = nullptr;
    std::string className;
    std::string text;
    int id = 0;
    bool enabled = false;
    bool visible = false;
    RECT bounds{};  // in screen coordinates
};

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
Control Describe(HWND window);

enum class Visibility { kVisible, kAny };

// A top-level window of process `processId` (0: any process) whose caption and class match (an
// empty text matches any); nullptr when there is none.
HWND FindTopLevel(DWORD processId,
                  std::string_view caption,
                  std::string_view className = {},
                  Visibility visibility = Visibility::kVisible);
HWND WaitForTopLevel(DWORD processId,
                     std::string_view caption,
                     std::string_view className = {},
                     std::chrono::milliseconds timeout = kUiTimeout);

// Every top-level window of process `processId` (0: of any process), visible or not.
std::vector<HWND> TopLevelWindows(DWORD processId);

// The descendants of `parent`, in Z order as EnumChildWindows gives them.
std::vector<Control> ChildrenOf(HWND parent);
// The descendants of `className`, left to right on the screen.
std::vector<HWND> ChildrenOfClass(HWND parent, std::string_view className);
// The first visible child of `className` whose text is `text`; nullptr when there is none.
HWND FindChild(HWND parent, std::string_view className, std::string_view text);

// The descendant with the control id `id`; nullptr when there is none.
HWND FindChildById(HWND parent, int id);

// Presses a button without blocking on what it opens.
void Click(HWND button);
// Types a key with modifiers into the foreground window (real input, so GetKeyState sees it).
void TypeKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
// Brings `window` to the front, waits until its thread has the keyboard, then types the key; to a
// popup menu the key (without modifiers) is posted instead.
bool TypeKeyInto(HWND window, WORD virtualKey, std::initializer_list<WORD> modifiers = {});
// The window with the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);

// The clipboard's plain text; empty when it holds none.
std::string ClipboardText();

}  // namespace driver
