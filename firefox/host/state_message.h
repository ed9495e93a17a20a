// What the host sends the add-on, one JSON object per message (framed by native_messages.h):
//   {"state":"on","label":"United States - Dallas #3","host":"127.0.0.1","port":7070,
//    "bypass":["a.example","b.example"],"ignoredBypass":0}
//   {"state":"off","reason":"cleared"}      the program turned hiding off (line 2 "0")
//   {"state":"off","reason":"missing"}      no state file
//   {"state":"off","reason":"unreadable"}   the file cannot be read
//   {"state":"off","reason":"invalid","problem":"line 5: the proxy is not on this computer"}
//   {"error":"unknown request"}             answer to a request the host does not know
#pragma once

#include <string>
#include <string_view>

#include "firefox/host/proxy_state.h"

namespace firefox_host {

// Turns the file's 8-bit text (the label) into UTF-8.
using TextDecoder = std::string (*)(std::string_view);

std::string StateMessage(const ProxyState& state, TextDecoder decode);

std::string UnknownRequestMessage();

// The words for each problem, as the add-on shows them to the user.
std::string_view ProblemText(Problem problem);

}  // namespace firefox_host
