#include "settings/folders.h"

#include "common/text_lines.h"

namespace {

constexpr std::string_view kWindows98 = "Windows 98";
constexpr std::string_view kWindows98AppData = "Application Data\\";

}  // namespace

std::string IncludeBackslash(std::string_view text) {
    std::string result(text);
    if (result.empty() || result.back() != '\\')
        result += '\\';
    return result;
}

std::string ExtractFolder(std::string_view path) {
    const auto end = path.find_last_of("\\:");
    return std::string(end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1));
}

std::string GetAppDataFolder(const FolderSystem& folders, std::string_view osName) {
    if (osName == kWindows98)
        return IncludeBackslash(folders.WindowsFolder()) + std::string(kWindows98AppData);
    return IncludeBackslash(folders.UserAppDataFolder());
}

std::string GetTempFolder(const FolderSystem& folders) {
    return IncludeBackslash(folders.TempPath());
}

bool ForceFolder(FolderSystem& folders, std::string_view folder) {
    return folders.FolderExists(folder) || folders.CreateFolder(folder);
}

std::optional<std::vector<std::string>> ReadTextLines(const FolderSystem& folders, std::string_view path) {
    auto text = folders.ReadTextFile(path);
    if (!text)
        return std::nullopt;
    return SplitLines(*text);
}
