#include "directory/http_text_win.h"

#include <algorithm>

#include "common/internet_handle_win.h"

namespace {

constexpr DWORD kChunkBytes = 1025;

}  // namespace

std::optional<std::string> WinHttpText::GetText(const TextRequest& request) {
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(request.timeLimit.count());
    UniqueInternet session(InternetOpenA(request.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return std::nullopt;
    UniqueInternet connection(InternetConnectA(session.Get(), request.host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return std::nullopt;
    // WinInet writes "Accept: " itself; each entry is a media type.
    const char* acceptTypes[] = {"*/*", nullptr};
    UniqueInternet httpRequest(HttpOpenRequestA(connection.Get(), "GET", request.path.c_str(), "HTTP/1.0", nullptr,
                                                acceptTypes, INTERNET_FLAG_RELOAD, 0));
    if (!httpRequest)
        return std::nullopt;
    // WinInet waits for a silent server forever unless told otherwise, and only the request
    // handle's own time-outs are honoured everywhere (Wine ignores them on the session).
    DWORD wait = DWORD(request.waitLimit.count());
    for (DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionA(httpRequest.Get(), option, &wait, sizeof(wait));
    if (!HttpSendRequestA(httpRequest.Get(), nullptr, 0, nullptr, 0))
        return std::nullopt;

    // The status code is not looked at: an error page is a body like any other, and fails the
    // reply's completeness test.
    std::string body;
    char chunk[kChunkBytes];
    // Only what has arrived is read, so that no read outlasts the wait limit and the time limit
    // holds between reads: a full chunk could take a trickling server for ever.
    DWORD available = 0, read = 0;
    while (GetTickCount64() < deadline && InternetQueryDataAvailable(httpRequest.Get(), &available, 0, 0) &&
           available > 0 &&
           InternetReadFile(httpRequest.Get(), chunk, std::min<DWORD>(available, sizeof(chunk)), &read) && read > 0) {
        if (body.size() + read > request.maxBytes)
            return std::nullopt;
        body.append(chunk, read);
    }
    return body;
}
