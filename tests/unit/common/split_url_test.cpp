#include "common/split_url.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitUrl, TakesTheHostUpToTheFirstSlashAndKeepsItsLetters) {
    const struct {
        const char* url;
        const char* host;
        const char* path;
    } cases[] = {
        {"http://www.example/download/masqng.exe", "www.example", "/download/masqng.exe"},
        {"HTTP://Www.Example/Download/X.exe", "Www.Example", "/Download/X.exe"},
        {"hTtP://127.0.0.40/", "127.0.0.40", "/"},
        {"127.0.0.40/a/b?c=d", "127.0.0.40", "/a/b?c=d"},
        // The port is always 80: a written port stays part of the host, which then fails to connect.
        {"http://127.0.0.40:8080/x", "127.0.0.40:8080", "/x"},
        {"http://www.example", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const UrlParts parts = SplitUrl(c.url);
        EXPECT_EQ(parts.host, c.host) << c.url;
        EXPECT_EQ(parts.path, c.path) << c.url;
    }
}

}  // namespace
