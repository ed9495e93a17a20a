#include "tests/e2e/web_page.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdint>
#include <vector>

namespace e2e {

namespace {

constexpr DWORD kTimeoutMs = 20'000;

struct Winsock {
    Winsock() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

class Connection {
  public:
    Connection(const std::string& host, std::uint16_t port) {
        static Winsock winsock;
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        for (int option : {SO_RCVTIMEO, SO_SNDTIMEO})
            setsockopt(socket_, SOL_SOCKET, option, reinterpret_cast<const char*>(&kTimeoutMs), sizeof(kTimeoutMs));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        inet_pton(AF_INET, host.c_str(), &address.sin_addr);
        connected_ = connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~Connection() { closesocket(socket_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Connected() const { return connected_; }
    bool Send(const std::string& bytes) {
        return send(socket_, bytes.data(), int(bytes.size()), 0) == int(bytes.size());
    }
    // Exactly `size` bytes; empty when the connection ended before.
    std::string Receive(std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t got = 0; got < size;) {
            const int read = recv(socket_, bytes.data() + got, int(size - got), 0);
            if (read <= 0)
                return {};
            got += read;
        }
        return bytes;
    }
    std::string ReceiveAll() {
        std::string bytes;
        char buffer[4096];
        for (int read; (read = recv(socket_, buffer, sizeof(buffer), 0)) > 0;)
            bytes.append(buffer, read);
        return bytes;
    }

  private:
    SOCKET socket_ = INVALID_SOCKET;
    bool connected_ = false;
};

std::optional<std::string> Get(Connection& connection, const std::string& host, const std::string& path) {
    if (!connection.Send("GET " + path + " HTTP/1.0\r\nHost: " + host + "\r\n\r\n"))
        return std::nullopt;
    const std::string response = connection.ReceiveAll();
    const std::size_t body = response.find("\r\n\r\n");
    if (response.rfind("HTTP/1.", 0) != 0 || body == std::string::npos)
        return std::nullopt;
    std::string text = response.substr(body + 4);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

std::optional<std::string> FetchPage(const std::string& host, const std::string& path) {
    Connection connection(host, 80);
    if (!connection.Connected())
        return std::nullopt;
    return Get(connection, host, path);
}

std::optional<std::string> FetchPageThroughSocks5(const std::string& proxyPort,
                                                  const std::string& host,
                                                  const std::string& path) {
    Connection connection("127.0.0.1", std::uint16_t(std::stoi(proxyPort)));
    // Greeting without authentication, then CONNECT to the IPv4 host at port 80 (RFC 1928).
    if (!connection.Connected() || !connection.Send(std::string("\x05\x01\x00", 3)) ||
        connection.Receive(2) != std::string("\x05\x00", 2))
        return std::nullopt;
    in_addr address{};
    inet_pton(AF_INET, host.c_str(), &address);
    std::string request("\x05\x01\x00\x01", 4);
    request.append(reinterpret_cast<const char*>(&address), 4);
    request.append("\x00\x50", 2);
    if (!connection.Send(request))
        return std::nullopt;
    // The reply: version, status, reserved, then the bound address of its type and a port.
    const std::string reply = connection.Receive(4);
    if (reply.size() != 4 || reply[1] != 0)
        return std::nullopt;
    const std::size_t addressBytes = reply[3] == 1 ? 4
                                     : reply[3] == 4
                                         ? 16
                                         : std::size_t(static_cast<unsigned char>(connection.Receive(1)[0]));
    if (connection.Receive(addressBytes + 2).empty())
        return std::nullopt;
    return Get(connection, host, path);
}

}  // namespace e2e
