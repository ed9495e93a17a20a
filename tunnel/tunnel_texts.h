// The tunnel session's texts, exactly as the user and the log see them.
#pragma once

namespace tunnel_text {

inline constexpr char kClientFileName[] = "warden.exe";

inline constexpr char kCanNotFindWarden[] = "Can not find Warden!";
inline constexpr char kErrorToStartWarden[] = "Error to start Masq Warden!";
inline constexpr char kCanNotCloseWarden[] = "Can not close Warden!";
inline constexpr char kConnectingToServer[] = "Connecting to Server: ";

inline constexpr char kConnectionLost[] = "Connection lost";
inline constexpr char kReconnectQuestion[] = "Do you want to reconnect?";
inline constexpr char kReconnect[] = "Reconnect...";

inline constexpr char kMasqOn[] = "Masq ON";
inline constexpr char kMasqOff[] = "Masq OFF";
inline constexpr char kUserStopped[] = "User stopped Masq";
inline constexpr char kHintPrefix[] = "Masq NG - ";

}  // namespace tunnel_text
