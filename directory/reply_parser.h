// The directory reply as data: its lines, its values by name, and the node list it carries.
//
// The reply is a short text of lines (CR LF, LF or CR) of the form name=value:
//   B=1                      begin marker
//   ServiceNotAvailable-1=1  flags: set only when the value is exactly "1"
//   ServiceNotAvailable-2=1
//   NewVersion=1
//   C=2                      number of node lines; empty or absent: none
//   P=<scrambled>            the tunnel's port, user name and key, shared by every node
//   U=<scrambled>
//   K=<scrambled>
//   1=10<scrambled entry>    node line k (1..C): a two-digit location code, then an address
//   2=11<scrambled entry>      entry "a.b.c.d" (one node) or "a.b.c.d-e" (last octet d to e)
//   E=1                      end marker
// A name matches without regard to case; the first line of a name counts; a line without "="
// matches nothing.
//
// The reply comes from the network: everything it drives is bounded and checked here, and a
// node section that is not exactly of this form is malformed and taken as a whole or not at all.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/session_values.h"

// More than any directory sends; a reply beyond them is malformed.
inline constexpr int kMaxNodeLines = 1000;
inline constexpr int kMaxNodes = 4096;
inline constexpr std::size_t kMaxTunnelValueLength = 128;

class ReplyLines {
  public:
    explicit ReplyLines(std::string_view reply);
    // The value of the first line named `name`; empty when there is none.
    std::string Value(std::string_view name) const;

  private:
    std::unordered_map<std::string, std::string> firstValues_;  // by lower-case name
};

// The value is exactly "1".
bool ValueIsOne(const ReplyLines& reply, std::string_view name);
// 0 for an empty value; nullopt when the value is not a decimal number of at most nine digits.
std::optional<int> ValueAsInt(const ReplyLines& reply, std::string_view name);

// An address entry: the first three octets, and the last octet's first and last value.
struct AddressEntry {
    std::string prefix;  // "a.b.c"
    int first = 0;
    int last = 0;
};

// "a.b.c.d" or "a.b.c.d-e", each number a decimal octet (0-255); nullopt for anything else.
std::optional<AddressEntry> ParseAddressEntry(std::string_view entry);
// The number of nodes of the entry; below 1 when its range runs backwards (it gives none).
int RangeCount(const AddressEntry& entry);
// The `j`-th address of the entry, from 0.
std::string RangeAddress(const AddressEntry& entry, int j);

struct NodeList {
    std::string port;
    std::string user;
    std::string key;
    std::vector<TServer> servers;  // numbered from 1 in reply order
};

struct NodeListParse {
    enum class Kind { NoNodes, Nodes, Malformed } kind = Kind::NoNodes;
    NodeList nodes;      // for Nodes
    std::string reason;  // for Malformed
};

// The node section of the reply: the count, the tunnel values and every node line.
NodeListParse ParseNodeList(const ReplyLines& reply);
