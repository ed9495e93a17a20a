// The program's watch: masqng.exe started again in a mode of its own, which outlives the program
// only long enough to take the browsers off the program's proxy when the program ended without
// doing so (killed, crashed, its session forced to an end). It takes no single-instance mutex,
// opens no window and ends once it has looked.
//
// The program starts it at its start through a short-lived launcher, so that the watch is no
// child of the program's and outlives the end of the program's whole process tree:
//   masqng.exe -start-watch HANDLE   the launcher: starts the watch with the handle, and ends
//   masqng.exe -watch HANDLE         the watch: waits for the program's end, clears, and ends
// HANDLE is the program's own process handle, inherited by both, in decimal: a handle names the
// program for certain, where a process id could already belong to another process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class BrowserFiles;
class ConnectionOptions;
class DialUpConnections;
class FolderSystem;
class OsInfo;
class SettingsStore;
class WindowTitles;

enum class WatchStage { Launcher, Watch };

struct WatchRequest {
    WatchStage stage = WatchStage::Watch;
    std::uint64_t programHandle = 0;
    bool operator==(const WatchRequest&) const = default;
};

// The command line that starts `exePath` (quoted) for `request`.
std::string WatchCommandLine(std::string_view exePath, const WatchRequest& request);

// What the arguments after the program's name ask for: a stage of the watch, or nullopt for the
// program itself (any other text, as a user could type it, starts the program).
std::optional<WatchRequest> ParseWatchArguments(std::string_view arguments);

// What the watch reaches after the program's end: the settings file and the program's records
// where the program keeps them, and the browsers' proxy.
struct WatchPorts {
    const FolderSystem& folders;
    const OsInfo& os;
    SettingsStore& settings;
    SettingsStore& records;
    ConnectionOptions& connectionOptions;
    const DialUpConnections& dialUp;
    BrowserFiles& files;
    const WindowTitles& windows;
};

// The program `programId` has ended: when its mark says the browsers are still on its proxy,
// they go back to direct (or to the user's own proxy), without a message. Whether it cleared.
bool ClearAfterProgramEnd(WatchPorts ports, std::uint32_t programId);
