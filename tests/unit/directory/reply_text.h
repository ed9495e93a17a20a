// Directory replies for tests, written the way the maker's site writes them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "directory/scramble_text.h"

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
