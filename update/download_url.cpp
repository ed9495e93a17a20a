#include "update/download_url.h"

#include "update/update_texts.h"

namespace {

constexpr std::string_view kScheme = "http://";

}  // namespace

std::string InstallerUrl(std::string_view webHost) {
    return std::string(kScheme).append(webHost).append(update_text::kInstallerPath);
}

std::string SignatureUrl(std::string_view webHost) {
    return InstallerUrl(webHost).append(update_text::kSignatureSuffix);
}
