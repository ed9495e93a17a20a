// The message dialog's own button captions; callers bring their captions and texts.
#pragma once

namespace ui_text {

// Button captions that never come from the system.
inline constexpr char kAll[] = "All";
inline constexpr char kNoToAll[] = "No to All";
inline constexpr char kYesToAll[] = "Yes to All";
inline constexpr char kNoticeOK[] = "&OK";

// The usual captions, for when the system's own string resources are missing (Wine has none).
inline constexpr char kOK[] = "OK";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kAbort[] = "&Abort";
inline constexpr char kRetry[] = "&Retry";
inline constexpr char kIgnore[] = "&Ignore";
inline constexpr char kYes[] = "&Yes";
inline constexpr char kNo[] = "&No";
inline constexpr char kHelp[] = "Help";

}  // namespace ui_text
