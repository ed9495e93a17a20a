// A web page fetched the way a program on this machine fetches it: straight, or through a SOCKS5
// proxy (the tunnel client's local proxy) with the proxy resolving nothing (an IPv4 host).
#pragma once

#include <optional>
#include <string>

namespace e2e {

// The body of http://HOST/PATH (port 80); nullopt when it could not be fetched.
std::optional<std::string> FetchPage(const std::string& host, const std::string& path);
std::optional<std::string> FetchPageThroughSocks5(const std::string& proxyPort,
                                                  const std::string& host,
                                                  const std::string& path);

}  // namespace e2e
