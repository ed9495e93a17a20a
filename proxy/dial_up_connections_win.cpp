#include "proxy/dial_up_connections_win.h"

#include <windows.h>
// after windows.h
#include <ras.h>

namespace {

constexpr DWORD kMaxConnections = 10;

}  // namespace

std::optional<std::vector<std::string>> WinDialUpConnections::ActiveEntryNames() const {
    RASCONNA connections[kMaxConnections]{};
    connections[0].dwSize = sizeof(RASCONNA);
    DWORD bytes = sizeof(connections);
    DWORD count = 0;
    // More than ten connections do not fit (ERROR_BUFFER_TOO_SMALL), and a system without the
    // dial-up service answers with an error too: both list nothing.
    if (RasEnumConnectionsA(connections, &bytes, &count) != ERROR_SUCCESS || count > kMaxConnections)
        return std::nullopt;
    std::vector<std::string> names;
    for (DWORD i = 0; i < count; ++i)
        names.emplace_back(connections[i].szEntryName);
    return names;
}
