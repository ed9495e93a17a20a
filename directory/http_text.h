// The port through which the directory request fetches a text over HTTP: one GET on port 80,
// fresh from the server (never from a cache), through the system's configured proxy.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

struct TextRequest {
    std::string host;
    std::string path;  // begins with "/"
    std::string agent;
    // Bounds connecting, sending and every wait for the server's next bytes, so that a server
    // that accepts and stays silent costs seconds, not the program...
    std::chrono::milliseconds waitLimit{0};
    // ...and the whole request, so that one that trickles its bytes does not either.
    std::chrono::milliseconds timeLimit{0};
    std::size_t maxBytes = 0;  // a longer body is refused
};

class HttpText {
  public:
    virtual ~HttpText() = default;
    // The body as read until it ended or a read failed, whatever the status code; nullopt when
    // the request could not be sent or the body is longer than `maxBytes`.
    virtual std::optional<std::string> GetText(const TextRequest& request) = 0;
};
