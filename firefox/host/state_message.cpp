#include "firefox/host/state_message.h"

#include <algorithm>
#include <iterator>

#include "firefox/host/json_text.h"

namespace firefox_host {

namespace {

struct ProblemEntry {
    Problem problem;
    std::string_view text;
};
constexpr ProblemEntry kProblemTexts[] = {
    {Problem::kNone, ""},
    {Problem::kTooLarge, "the file is too large"},
    {Problem::kNotSixLines, "the file does not hold six whole lines"},
    {Problem::kUnknownFormat, "line 1: unknown format"},
    {Problem::kUnknownSwitch, "line 2: neither on nor off"},
    {Problem::kBadLabel, "line 3: the node label is too long or holds control characters"},
    {Problem::kProxyNotLoopback, "line 5: the proxy is not on this computer"},
    {Problem::kBadPort, "line 6: the port is not a number from 1 to 65535"},
};

struct ReasonEntry {
    Standing standing;
    std::string_view reason;
};
constexpr ReasonEntry kOffReasons[] = {
    {Standing::kCleared, "cleared"},
    {Standing::kMissing, "missing"},
    {Standing::kUnreadable, "unreadable"},
    {Standing::kInvalid, "invalid"},
};

void AppendField(std::string& out, std::string_view name) {
    if (out.size() > 1)
        out += ',';
    AppendJsonString(out, name);
    out += ':';
}

std::string OnMessage(const ProxyState& state, TextDecoder decode) {
    std::string out = "{";
    AppendField(out, "state");
    AppendJsonString(out, "on");
    AppendField(out, "label");
    AppendJsonString(out, decode(state.label));
    AppendField(out, "host");
    AppendJsonString(out, state.host);
    AppendField(out, "port");
    out += std::to_string(state.port);
    AppendField(out, "bypass");
    out += '[';
    for (const std::string& entry : state.bypass) {
        if (&entry != &state.bypass.front())
            out += ',';
        AppendJsonString(out, entry);
    }
    out += ']';
    AppendField(out, "ignoredBypass");
    out += std::to_string(state.ignored_bypass);
    out += '}';
    return out;
}

std::string OffMessage(const ProxyState& state) {
    const auto reason = std::find_if(std::begin(kOffReasons), std::end(kOffReasons),
                                     [&state](const ReasonEntry& entry) { return entry.standing == state.standing; });
    std::string out = "{";
    AppendField(out, "state");
    AppendJsonString(out, "off");
    AppendField(out, "reason");
    AppendJsonString(out, reason->reason);
    if (state.standing == Standing::kInvalid) {
        AppendField(out, "problem");
        AppendJsonString(out, ProblemText(state.problem));
    }
    out += '}';
    return out;
}

}  // namespace

std::string StateMessage(const ProxyState& state, TextDecoder decode) {
    return state.standing == Standing::kOn ? OnMessage(state, decode) : OffMessage(state);
}

std::string UnknownRequestMessage() {
    std::string out = "{";
    AppendField(out, "error");
    AppendJsonString(out, "unknown request");
    out += '}';
    return out;
}

std::string_view ProblemText(Problem problem) {
    return std::find_if(std::begin(kProblemTexts), std::end(kProblemTexts),
                        [problem](const ProblemEntry& entry) { return entry.problem == problem; })
        ->text;
}

}  // namespace firefox_host
