#include "warden/process/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "warden/socks/wire.h"

namespace warden {

namespace {

enum class Kind { kText, kHost, kPort, kFlag };

struct OptionWord {
    std::string_view word;
    Kind kind;
};

constexpr std::array kOptionWords{
    OptionWord{"-name", Kind::kText}, OptionWord{"-key", Kind::kText},  OptionWord{"-do", Kind::kFlag},
    OptionWord{"-H", Kind::kPort},    OptionWord{"-masq", Kind::kFlag}, OptionWord{"-port", Kind::kPort},
    OptionWord{"-say", Kind::kHost},
};

const OptionWord* FindOptionWord(std::string_view token) {
    const auto it = std::ranges::find(kOptionWords, token, &OptionWord::word);
    return it == kOptionWords.end() ? nullptr : &*it;
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

std::string JoinWithBlanks(std::span<const std::string> tokens) {
    std::string joined;
    for (const std::string& token : tokens) {
        if (&token != tokens.data())
            joined += ' ';
        joined += token;
    }
    return joined;
}

// Checks one value and stores it; returns the complaint when it does not fit.
std::optional<std::string> Store(const OptionWord& option, const std::string& value, Options& options) {
    const std::string word{option.word};
    switch (option.kind) {
        case Kind::kPort: {
            const auto port = ParsePort(value);
            if (!port)
                return word + " needs a port number, not '" + value + "'";
            (option.word == "-H" ? options.local_port : options.node_port) = *port;
            return std::nullopt;
        }
        case Kind::kHost:
            if (value.empty())
                return word + " needs the node's address";
            if (value.find(' ') != std::string::npos)
                return word + " needs one address, not '" + value + "'";
            if (value.size() > socks::kMaxText)
                return word + " is longer than 255 bytes";
            options.node_host = value;
            return std::nullopt;
        case Kind::kText:
            if (value.size() > socks::kMaxText)
                return word + " is longer than 255 bytes";
            (option.word == "-name" ? options.user : options.key) = value;
            return std::nullopt;
        case Kind::kFlag:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::variant<Options, CommandLineError> ParseCommandLine(std::span<const std::string> tokens) {
    const auto is_option = [](const std::string& token) { return FindOptionWord(token) != nullptr; };
    // A blank at the end of the line is no part of the last value.
    while (!tokens.empty() && tokens.back().empty())
        tokens = tokens.first(tokens.size() - 1);

    Options options;
    std::array<bool, kOptionWords.size()> seen{};
    for (auto it = std::ranges::find_if(tokens, is_option); it != tokens.end();) {
        const OptionWord& option = *FindOptionWord(*it);
        bool& option_seen = seen[static_cast<std::size_t>(&option - kOptionWords.data())];
        if (option_seen)
            return CommandLineError{std::string(option.word) + " given twice"};
        option_seen = true;

        // The value is everything up to the next option word, blanks included, as the line was built.
        const auto value_end = std::find_if(std::next(it), tokens.end(), is_option);
        const std::span<const std::string> value_tokens(std::next(it), value_end);
        it = value_end;
        if (option.kind == Kind::kFlag) {
            const auto stray =
                std::ranges::find_if(value_tokens, [](const std::string& token) { return !token.empty(); });
            if (stray != value_tokens.end())
                return CommandLineError{"unexpected '" + *stray + "'"};
            continue;
        }
        if (auto complaint = Store(option, JoinWithBlanks(value_tokens), options))
            return CommandLineError{std::move(*complaint)};
    }
    for (std::size_t i = 0; i < kOptionWords.size(); ++i) {
        if (!seen[i] && kOptionWords[i].kind != Kind::kFlag)
            return CommandLineError{"missing " + std::string(kOptionWords[i].word)};
    }
    return options;
}

std::vector<std::string> SplitAtBlanks(std::string_view line) {
    std::vector<std::string> tokens;
    for (;;) {
        const std::size_t blank = line.find(' ');
        tokens.emplace_back(line.substr(0, blank));
        if (blank == std::string_view::npos)
            return tokens;
        line.remove_prefix(blank + 1);
    }
}

}  // namespace warden
