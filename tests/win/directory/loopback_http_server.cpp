#include "tests/win/directory/loopback_http_server.h"

#include <ws2tcpip.h>

namespace {

// Winsock for the whole test program.
struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Behaviour behaviour, std::string response)
    : behaviour_(behaviour), response_(std::move(response)) {
    static Winsock winsock;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof(reuse));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(80);
    inet_pton(AF_INET, kTestServerHost, &address.sin_addr);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener_, 16) != 0) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
        return;
    }
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stopping_ = true;
    if (listener_ != INVALID_SOCKET)
        closesocket(listener_);
    {
        std::lock_guard lock(mutex_);
        for (SOCKET connection : connections_)
            closesocket(connection);
    }
    if (thread_.joinable())
        thread_.join();
}

std::vector<std::string> LoopbackHttpServer::Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string LoopbackHttpServer::Ok(const std::string& body, const std::string& status) {
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

void LoopbackHttpServer::Serve() {
    while (!stopping_) {
        SOCKET connection = accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return;
        {
            std::lock_guard lock(mutex_);
            connections_.push_back(connection);
        }
        if (behaviour_ != Behaviour::kSilent)
            Answer(connection);
    }
}

void LoopbackHttpServer::Answer(SOCKET connection) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos) {
        const int got = recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        head.append(buffer, got);
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(head.substr(0, head.find("\r\n\r\n")));
    }
    if (behaviour_ == Behaviour::kAnswer) {
        send(connection, response_.data(), int(response_.size()), 0);
        shutdown(connection, SD_SEND);
        return;
    }
    const std::string trickleHead = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
    send(connection, trickleHead.data(), int(trickleHead.size()), 0);
    while (!stopping_ && send(connection, "x", 1, 0) == 1)
        Sleep(200);
}
