// The few things the host does differently on Windows and on POSIX systems.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "firefox/host/host_ports.h"

namespace firefox_host::os {

// Once at start: no SIGPIPE on POSIX; on Windows no error dialogs, since the host has no window.
void PrepareProcess();

// The state file in the user's temporary folder: GetTempPathA on Windows (as the tray program
// writes it), $TMPDIR or /tmp elsewhere. Empty when there is no temporary folder.
std::string StateFilePath();

// Reads at most `limit` + 1 bytes of a plain file, sharing it fully so that the program's
// next write never fails because of this read. Anything but a plain file is unreadable.
FileSnapshot ReadPlainFile(const std::string& path, std::size_t limit);

// Blocks until Firefox sends bytes on standard input; 0 when it closed the input.
std::size_t ReadInput(std::span<std::uint8_t> buffer);

// Writes all of `bytes` to standard output at once; false when Firefox has gone.
bool WriteOutput(std::string_view bytes);

// The file's 8-bit text as UTF-8: the system code page on Windows, Latin-1 elsewhere.
std::string AnsiToUtf8(std::string_view text);

}  // namespace firefox_host::os
