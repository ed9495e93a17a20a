// The values of the tunnel session that the directory fills, the tunnel session launches with,
// and the browser proxy labels: the node list, the chosen node, the tunnel's credentials, and
// whether the tunnel is established. Plain data, one object for the program's run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One node of the directory's list; the selection dialog also makes rows of locations with it.
struct TServer {
    std::string Caption;     // "#" + Number + " Masq Node"; empty in a location row
    std::string Host;        // IPv4 address, dotted; empty in a location row
    int Country = 0;         // location code, see CountryName
    int Number = 0;          // 1-based position in the whole node list
    bool IsCountry = false;  // a location row of the selection dialog
    bool operator==(const TServer&) const = default;
};

// What the tunnel client's status codes say of the tunnel: only they change it.
enum class SessionState : std::uint8_t { NotEstablished = 0, Established = 3 };

struct SessionValues {
    std::vector<TServer> Servers;  // the last reply's nodes, in reply order
    // The node the tunnel client was last launched for: a copy, so a new node list leaves it
    // intact. Unset until a node is first chosen.
    std::optional<TServer> CurrentServer;
    std::string ServerPort;  // the tunnel values of the last reply with nodes
    std::string ServerUser;
    std::string ServerKey;
    SessionState State = SessionState::NotEstablished;

    int ServerCount() const { return static_cast<int>(Servers.size()); }
};

// The display name of a location code; "Unknown" for a code that is not in the table.
std::string CountryName(int code);

// The node as the tray and the log name it: location, " #", number and " [" + host + "]".
std::string NodeTitle(const TServer& node);
