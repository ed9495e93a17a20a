#include "directory/reply_check.h"

#include <algorithm>
#include <cctype>

#include "common/base64.h"
#include "common/makers_crypto.h"
#include "common/text_lines.h"
#include "directory/directory_texts.h"

using namespace directory_text;

namespace {

// The base64 text of the largest signature there can be: a longer line is refused unread.
constexpr std::size_t kMaxSignatureText = (kSignatureSizeLimit + 2) / 3 * 4;

bool IsNamed(std::string_view line, std::string_view name) {
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && equals == name.size() &&
           std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// The text without one line end (CR LF, LF or CR) at its very end.
std::string_view WithoutFinalLineEnd(std::string_view text) {
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (text.ends_with('\n') || text.ends_with('\r'))
        text.remove_suffix(1);
    return text;
}

bool IsMakersSignature(const SignatureLine& line, MakersCrypto& crypto) {
    if (line.value.size() > kMaxSignatureText)
        return false;
    const std::optional<std::string> signature = DecodeBase64(line.value);
    if (!signature || signature->empty())
        return false;
    const std::optional<Sha256Digest> digest = crypto.Sha256(line.signedText);
    return digest && crypto.IsMakersSignature(*digest, *signature);
}

}  // namespace

bool IsReplyComplete(std::string_view text) {
    return text.find(kBeginMarker) != std::string_view::npos && text.find(kEndMarker) != std::string_view::npos;
}

std::optional<SignatureLine> SplitSignatureLine(std::string_view reply) {
    const std::string_view content = WithoutFinalLineEnd(reply);
    const std::size_t lastLineEnd = content.find_last_of("\r\n");
    const std::size_t lastLineStart = lastLineEnd == std::string_view::npos ? 0 : lastLineEnd + 1;
    const std::string_view lastLine = content.substr(lastLineStart);
    if (!IsNamed(lastLine, kSignatureName))
        return std::nullopt;
    const std::string_view signedText = reply.substr(0, lastLineStart);
    for (const std::string& line : SplitLines(signedText))
        if (IsNamed(line, kSignatureName))
            return std::nullopt;
    return SignatureLine{signedText, lastLine.substr(lastLine.find('=') + 1)};
}

ReplyCheck CheckReply(std::string_view reply, MakersCrypto& crypto) {
    const std::optional<SignatureLine> line = SplitSignatureLine(reply);
    ReplyCheck check;
    check.signedText = line ? line->signedText : reply;
    check.signedByMaker = line && IsMakersSignature(*line, crypto);
    check.complete = IsReplyComplete(check.signedText);
    return check;
}
