// The values the update receives from outside and must not trust: the download's
// Content-Length header and the SHA-256 named by the directory reply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/makers_crypto.h"

// Decimal digits only, blanks around them allowed, and no more than an Integer holds; nullopt
// for anything else, an absent header included.
std::optional<std::int32_t> ParseContentLength(const std::optional<std::string>& header);

// 64 hexadecimal digits in either letter case, blanks around them allowed; nullopt otherwise.
std::optional<Sha256Digest> ParseSha256(std::string_view text);

// The text without blanks (spaces, tabs, line ends) at either end.
std::string_view TrimBlanks(std::string_view text);
