// The HTTP port through WinInet: the system's configured proxy, HTTP/1.0, port 80, no cache.
#pragma once

#include "update/http_client.h"

class WinInetHttpClient final : public HttpClient {
  public:
    std::unique_ptr<HttpResponse> Send(const HttpGet& request) override;
};
