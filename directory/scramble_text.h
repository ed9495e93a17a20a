// The scrambling of the directory reply's values (pasCipher). Not encryption: it keeps the
// tunnel's credentials and the node addresses from reading as plain text in transit.
#pragma once

#include <string>
#include <string_view>

// The key the directory service scrambles with; the maker's site generator holds the same.
inline constexpr char kScrambleKey[] = "M";

// Each character is XORed with a key character, masked so that it stays in its own range
// (control characters, 0x20-0x3F, 0x40-0x7F, 0x80-0xFF): the text keeps its length and
// printability, and the same call unscrambles. Empty when the text or the key is empty.
std::string ScrambleText(std::string_view text, std::string_view key);
