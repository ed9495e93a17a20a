// MD5 (RFC 1321) as upper-case hexadecimal: the digest that remembers which network adapter the
// machine identifier was taken from. Not for anything that needs to resist an attacker.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The 16 digest bytes of `size` bytes at `data`, each as two upper-case hexadecimal digits.
std::string BufMD5Hex(const void* data, std::size_t size);
// The same for the 8-bit characters of `text`, without a terminator.
std::string StrMD5Hex(std::string_view text);
