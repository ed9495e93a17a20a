// The three texts that turning the browsers' proxy on hands over: the bypass text from the
// user's list of sites, the current node's label, and the local proxy's address.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/session_values.h"

// Every line followed by one comma, as typed: "a.example,b.example,". No lines give "".
std::string BypassText(const std::vector<std::string>& lines);

// The node as the Firefox add-on shows it, e.g. "United States - Dallas #3"; empty before any
// node has been chosen.
std::string NodeLabel(const std::optional<TServer>& node);

// "127.0.0.1:" + the local proxy port.
std::string LocalProxyServer(std::string_view internalPort);
