// A web server of the test's own on 127.0.0.38, port 80 (where the program's requests go), that
// answers each connection the way the test says: a reply, silence, or a trickle.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

inline constexpr char kTestServerHost[] = "127.0.0.38";

class LoopbackHttpServer {
  public:
    enum class Behaviour {
        kAnswer,   // reads the request, sends the response, closes
        kSilent,   // accepts and never answers
        kTrickle,  // sends the response's head, then one byte of body every 200 ms
    };

    LoopbackHttpServer(Behaviour behaviour, std::string response = {});
    ~LoopbackHttpServer();  // closes the listener and every connection, ends the thread
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool Listening() const { return listener_ != INVALID_SOCKET; }
    // The requests received so far (their head: request line and headers).
    std::vector<std::string> Requests();

    // "HTTP/1.0 200 OK" with the body and its length.
    static std::string Ok(const std::string& body, const std::string& status = "200 OK");

  private:
    void Serve();
    void Answer(SOCKET connection);

    Behaviour behaviour_;
    std::string response_;
    SOCKET listener_ = INVALID_SOCKET;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<SOCKET> connections_;
    std::thread thread_;
};
