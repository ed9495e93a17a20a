// Whether the directory request may take a reply it received: the maker's signature and both
// completeness markers.
//
// The maker signs every byte of the reply as it is served (the scrambled values as they are, the
// line ends as they are) up to its last line, and that line carries the signature:
//
//   B=1<CR><LF>                  ) every byte from here...
//   ...                          )
//   E=1<CR><LF>                  ) ...to here, this line end included, is what is signed
//   Signature=<base64><CR><LF>   the signature line
//
// <base64> is the base64 (RFC 4648: standard alphabet, "=" padding, on one line, nothing else)
// of an RSA-PSS signature (SHA-256, 32-byte salt) by the maker's key, the key that signs the
// installers. Its name matches without regard to case, as every name of the reply does; the
// line must be the last (at most one line end, CR LF, LF or CR, after it) and the only one of
// its name. The reply's line ends are signed as they are: a server that changed CR LF into LF
// would change what was signed, so the maker serves the reply as a file, byte for byte.
#pragma once

#include <optional>
#include <string_view>

class MakersCrypto;

// Both completeness markers, "B=1" and "E=1", anywhere in the text.
bool IsReplyComplete(std::string_view text);

struct SignatureLine {
    std::string_view signedText;  // every byte before the line
    std::string_view value;       // the line's text after its first "="
};
// The reply cut before its last line when that line is named Signature; nullopt when it is not,
// or when a line before it has that name too.
std::optional<SignatureLine> SplitSignatureLine(std::string_view reply);

struct ReplyCheck {
    bool signedByMaker = false;   // the last line is the maker's signature of every byte before it
    bool complete = false;        // both markers, in what the maker signed
    std::string_view signedText;  // the reply without its signature line; the whole reply without one
    bool Accepted() const { return signedByMaker && complete; }
};
ReplyCheck CheckReply(std::string_view reply, MakersCrypto& crypto);
