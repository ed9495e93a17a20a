// warden's command line, exactly as the tray program builds it:
//   <program path> -name U -key K -do -H LOCALPORT -masq -port P -say HOST
// The path is unquoted and may be split at its blanks into extra tokens, and an empty U or K
// leaves two blanks in a row, so options are found by their words, not by position.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace warden {

struct Options {
    std::string user;
    std::string key;
    std::uint16_t local_port = 0;
    std::uint16_t node_port = 0;
    std::string node_host;

    bool operator==(const Options&) const = default;
};

struct CommandLineError {
    std::string message;
};

// Tokens before the first option word are the program's path and are skipped. An option's value
// is every token up to the next option word, joined with blanks: empty when another option word
// (or nothing) follows at once, and whole when a user or key holds blanks. "-do" and "-masq"
// are accepted flags with no meaning for warden.
std::variant<Options, CommandLineError> ParseCommandLine(std::span<const std::string> tokens);

// Splits a raw command line at every single blank, keeping the empty token that two blanks
// in a row leave: that is how an empty user or key arrives.
std::vector<std::string> SplitAtBlanks(std::string_view line);

}  // namespace warden
