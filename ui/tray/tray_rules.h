// The tray icon's rules that need no shell: how much of a tooltip or balloon fits the
// notification record, and which icon of a list shows.
#pragma once

#include <cstddef>
#include <string>

// The window message the shell sends the icon's owner for mouse and balloon events (WM_USER + 1024).
inline constexpr unsigned kTrayCallbackMessage = 2048;

// Characters that fit the record's buffers, a terminating zero aside.
inline constexpr std::size_t kMaxTipLength = 127;
inline constexpr std::size_t kMaxBalloonTitleLength = 63;
inline constexpr std::size_t kMaxBalloonTextLength = 255;

// Balloon icon kinds, written to the record unchanged: none, information, warning, error.
enum class BalloonIcon { None = 0, Info = 1, Warning = 2, Error = 3 };

std::string Truncated(const std::string& text, std::size_t maxLength);

// An index into a list of `count` icons: beyond the last shows the last, no list shows 0.
int ClampIconIndex(int index, int count);

// The icon after `index` while cycling: 0 after the last.
int NextCycleIndex(int index, int count);
