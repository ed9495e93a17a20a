#include "update/wininet_http_client_win.h"

#include <utility>

#include "common/internet_handle_win.h"

namespace {

class WinInetResponse final : public HttpResponse {
  public:
    WinInetResponse(UniqueInternet session, UniqueInternet connection, UniqueInternet request)
        : session_(std::move(session)), connection_(std::move(connection)), request_(std::move(request)) {}

    int StatusCode() override {
        DWORD status = 0, size = sizeof(status);
        if (!HttpQueryInfoA(request_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
            return 0;
        return int(status);
    }

    std::optional<std::string> ContentLength() override {
        char text[1024] = {};
        DWORD size = sizeof(text);
        if (!HttpQueryInfoA(request_.Get(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
            return std::nullopt;
        return std::string(text, size);
    }

    std::optional<std::size_t> Read(char* buffer, std::size_t size) override {
        DWORD read = 0;
        if (!InternetReadFile(request_.Get(), buffer, DWORD(size), &read))
            return std::nullopt;
        return read;
    }

  private:
    // Members end in reverse order: the request, then the connection, then the session.
    UniqueInternet session_;
    UniqueInternet connection_;
    UniqueInternet request_;
};

}  // namespace

std::unique_ptr<HttpResponse> WinInetHttpClient::Send(const HttpGet& request) {
    UniqueInternet session(InternetOpenA(request.agent.empty() ? nullptr : request.agent.c_str(),
                                         INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return nullptr;
    UniqueInternet connection(InternetConnectA(session.Get(), request.host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return nullptr;
    // WinInet writes the "Accept: " itself: each entry is a media type.
    const char* acceptTypes[] = {request.acceptTypes.c_str(), nullptr};
    UniqueInternet httpRequest(HttpOpenRequestA(connection.Get(), "GET", request.path.c_str(), "HTTP/1.0", nullptr,
                                                request.acceptTypes.empty() ? nullptr : acceptTypes,
                                                INTERNET_FLAG_RELOAD, 0));
    if (!httpRequest)
        return nullptr;
    // WinInet waits for a silent server forever unless told otherwise, and only the request
    // handle's own time-outs are honoured.
    DWORD timeout = DWORD(request.timeout.count());
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(httpRequest.Get(), option, &timeout, sizeof(timeout));
    if (!HttpSendRequestA(httpRequest.Get(), nullptr, 0, nullptr, 0))
        return nullptr;
    return std::make_unique<WinInetResponse>(std::move(session), std::move(connection), std::move(httpRequest));
}
