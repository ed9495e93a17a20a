// Base64 as RFC 4648 writes it (section 4: the standard alphabet, "=" padding), read strictly:
// the text must be exactly what an encoder writes for some bytes. The maker's signature travels
// in the directory reply in this form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The bytes `text` encodes; nullopt when it is not canonical base64 (a length that is no multiple
// of four, a character outside the alphabet, line breaks or blanks, padding anywhere but at the
// end, or pad bits that are not zero).
std::optional<std::string> DecodeBase64(std::string_view text);
