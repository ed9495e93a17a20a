// HTTP in memory: each host answers with its scripted body, or fails; every request is kept.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "directory/http_text.h"

class FakeHttpText final : public HttpText {
  public:
    std::map<std::string, std::optional<std::string>> bodies;  // by host; a host not named fails
    std::vector<TextRequest> requests;
    std::function<void(const TextRequest&)> whileAsking;  // runs while a request is under way

    std::optional<std::string> GetText(const TextRequest& request) override {
        requests.push_back(request);
        if (whileAsking)
            whileAsking(request);
        auto found = bodies.find(request.host);
        return found == bodies.end() ? std::nullopt : found->second;
    }

    // The host and path of every request, in order.
    std::vector<std::string> Urls() const {
        std::vector<std::string> urls;
        for (const TextRequest& request : requests)
            urls.push_back(request.host + request.path);
        return urls;
    }
};
