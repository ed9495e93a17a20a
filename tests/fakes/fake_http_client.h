// The maker's site in memory: one scripted reply per path, and every request it was sent.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "update/http_client.h"

struct FakeReply {
    bool sent = true;  // false: the request cannot be sent (no connection)
    int status = 200;
    std::optional<std::string> contentLength;
    std::vector<std::string> pieces;  // the body as the network delivers it
    bool failsAfterPieces = false;    // a broken connection instead of the body's end

    // A reply of `body` that announces its length and delivers it in pieces of `pieceSize`.
    static FakeReply Of(const std::string& body, std::size_t pieceSize = 4096) {
        FakeReply reply;
        reply.contentLength = std::to_string(body.size());
        for (std::size_t at = 0; at < body.size(); at += pieceSize)
            reply.pieces.push_back(body.substr(at, pieceSize));
        return reply;
    }
};

class FakeHttpClient final : public HttpClient {
  public:
    std::map<std::string, FakeReply> replies;  // by path; a path without one is not found (404)
    std::vector<HttpGet> requests;
    std::vector<std::size_t> readSizes;    // the size asked for at each read
    std::function<void()> onSend;          // runs inside Send, after the request went out
    std::function<void()> onHeaders;       // runs when the headers are read
    std::function<void(int read)> onRead;  // runs inside each read, counted from 1

    std::unique_ptr<HttpResponse> Send(const HttpGet& request) override {
        requests.push_back(request);
        auto found = replies.find(request.path);
        FakeReply reply = found != replies.end() ? found->second : NotFound();
        if (!reply.sent)
            return nullptr;
        if (onSend)
            onSend();
        return std::make_unique<Response>(*this, std::move(reply));
    }

  private:
    static FakeReply NotFound() {
        FakeReply reply = FakeReply::Of("not found");
        reply.status = 404;
        return reply;
    }

    class Response final : public HttpResponse {
      public:
        Response(FakeHttpClient& client, FakeReply reply) : client_(client), reply_(std::move(reply)) {}
        int StatusCode() override { return reply_.status; }
        std::optional<std::string> ContentLength() override {
            if (client_.onHeaders)
                client_.onHeaders();
            return reply_.contentLength;
        }
        std::optional<std::size_t> Read(char* buffer, std::size_t size) override {
            client_.readSizes.push_back(size);
            if (client_.onRead)
                client_.onRead(int(client_.readSizes.size()));
            while (piece_ < reply_.pieces.size() && offset_ == reply_.pieces[piece_].size()) {
                ++piece_;
                offset_ = 0;
            }
            if (piece_ == reply_.pieces.size())
                return reply_.failsAfterPieces ? std::nullopt : std::optional<std::size_t>(0);
            const std::string& piece = reply_.pieces[piece_];
            const std::size_t n = std::min(size, piece.size() - offset_);
            std::memcpy(buffer, piece.data() + offset_, n);
            offset_ += n;
            return n;
        }

      private:
        FakeHttpClient& client_;
        FakeReply reply_;
        std::size_t piece_ = 0, offset_ = 0;
    };
};
