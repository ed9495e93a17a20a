// The port through which a download talks HTTP: one GET, sent fresh to the server (never from
// a cache), as HTTP/1.0 on port 80, through the system's configured proxy.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

struct HttpGet {
    std::string agent;  // empty: the HTTP library's own
    std::string host;
    std::string path;         // begins with "/"
    std::string acceptTypes;  // the media types of the Accept header
    // Bounds connecting, sending and every wait for the server's next bytes: a silent server
    // ends the request instead of holding it forever.
    std::chrono::milliseconds timeout{0};
};

class HttpResponse {
  public:
    virtual ~HttpResponse() = default;  // closes the request and its connection

    // The status code; 0 when it could not be read.
    virtual int StatusCode() = 0;
    // The Content-Length header's text as the server sent it; nullopt when there is none.
    virtual std::optional<std::string> ContentLength() = 0;
    // Reads up to `size` bytes of the body into `buffer`: how many were read, 0 at its end,
    // nullopt when reading failed (a time-out, a broken connection).
    virtual std::optional<std::size_t> Read(char* buffer, std::size_t size) = 0;
};

class HttpClient {
  public:
    virtual ~HttpClient() = default;

    // Connects and sends the request; nullptr when that failed. May be called on any thread.
    virtual std::unique_ptr<HttpResponse> Send(const HttpGet& request) = 0;
};
