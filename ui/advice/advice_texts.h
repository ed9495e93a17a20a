// The fixed texts of the unblock advice dialog TfrmUnblock.
#pragma once

namespace ui_text {

// The unblock advice dialog TfrmUnblock.
inline constexpr char kUnblockCaption[] = "Masq NG Unblock";
inline constexpr char kUnblockProgramPath[] = "Masq NG Path:";
inline constexpr char kUnblockWardenPath[] = "Warden Path:";
inline constexpr char kUnblockCopyProgram[] = "&Copy";
inline constexpr char kUnblockCopyWarden[] = "C&opy";
inline constexpr char kUnblockHelp[] = "&Help";
inline constexpr char kUnblockReconnect[] = "&Reconnect";
inline constexpr char kUnblockClose[] = "&Close";

}  // namespace ui_text
