// Directory replies for tests, written the way the maker's site writes them.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "directory/scramble_text.h"
#include "tests/fakes/fake_makers_crypto.h"

struct ReplyText {
    std::string port = "1080", user = "user", key = "key";
    std::vector<std::pair<std::string, std::string>> nodes;  // location code, address entry
    std::string extra;                                       // more lines, as they are

    ReplyText& Node(std::string code, std::string entry) {
        nodes.emplace_back(std::move(code), std::move(entry));
        return *this;
    }

    std::string Text() const {
        std::string text = "B=1\r\n" + extra + "C=" + std::to_string(nodes.size()) + "\r\n";
        text += "P=" + ScrambleText(port, kScrambleKey) + "\r\nU=" + ScrambleText(user, kScrambleKey) +
                "\r\nK=" + ScrambleText(key, kScrambleKey) + "\r\n";
        for (std::size_t k = 0; k < nodes.size(); ++k)
            text += std::to_string(k + 1) + "=" + nodes[k].first + ScrambleText(nodes[k].second, kScrambleKey) + "\r\n";
        return text + "E=1\r\n";
    }
};

// The standard base64 of `bytes`, as the maker writes a signature (openssl base64 -A).
inline std::string Base64Of(std::string_view bytes) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        unsigned group = 0;
        for (std::size_t j = 0; j < 3; ++j)
            group = (group << 8) | (j < n ? static_cast<unsigned char>(bytes[i + j]) : 0u);
        for (std::size_t j = 0; j < 4; ++j)
            text += j <= n ? kAlphabet[(group >> (18 - 6 * j)) & 63] : '=';
    }
    return text;
}

// The signature line FakeMakersCrypto accepts for `text`, with its line end.
inline std::string SignatureLineOf(std::string_view text, std::string_view lineEnd = "\r\n") {
    return "Signature=" + Base64Of(FakeMakersCrypto::Sign(text)) + std::string(lineEnd);
}

// `text` signed as the maker's site signs a reply.
inline std::string Signed(const std::string& text) {
    return text + SignatureLineOf(text);
}
