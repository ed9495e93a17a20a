#include "proxy/firefox_profiles.h"

#include <algorithm>
#include <utility>

#include "common/text_lines.h"

namespace {

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
};

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(),
                                                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

// Firefox writes these files itself: "[name]" lines and "key=value" lines, nothing else that
// counts. Lines before the first section and lines of neither form are passed over.
std::vector<IniSection> ParseIni(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))  // a byte order mark, as an editor may leave
        text.remove_prefix(3);
    std::vector<IniSection> sections;
    for (const std::string& line : SplitLines(text)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (!sections.empty() && equals != std::string::npos && equals > 0)
            sections.back().values.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return sections;
}

std::optional<std::string> ValueOf(const IniSection& section, std::string_view key) {
    for (const auto& [name, value] : section.values)
        if (EqualsNoCase(name, key))
            return value;
    return std::nullopt;
}

bool LooksAbsolute(std::string_view path) {
    return (path.size() >= 2 && path[1] == ':') || path.starts_with("\\\\") || path.starts_with("//");
}

// A profile's folder from its path as the files write it: relative to Firefox's folder with "/"
// between the names, or absolute.
std::optional<std::string> FolderOf(std::string_view firefoxFolder, std::string path, bool relative) {
    std::ranges::replace(path, '/', '\\');
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (path.empty())
        return std::nullopt;
    return (relative ? std::string(firefoxFolder) + path : path) + "\\";
}

void AddInstallDefaults(std::string_view firefoxFolder,
                        const std::vector<IniSection>& sections,
                        bool installSectionsOnly,
                        std::vector<std::string>& folders) {
    for (const IniSection& section : sections) {
        if (installSectionsOnly && !StartsWithNoCase(section.name, "Install"))
            continue;
        if (const auto path = ValueOf(section, "Default"))
            if (auto folder = FolderOf(firefoxFolder, *path, !LooksAbsolute(*path)))
                folders.push_back(std::move(*folder));
    }
}

}  // namespace

std::vector<std::string> FirefoxProfileFolders(std::string_view firefoxFolder,
                                               std::optional<std::string_view> installsIni,
                                               std::optional<std::string_view> profilesIni) {
    std::vector<std::string> folders;
    if (installsIni)
        AddInstallDefaults(firefoxFolder, ParseIni(*installsIni), false, folders);
    if (!profilesIni)
        return folders;
    const std::vector<IniSection> sections = ParseIni(*profilesIni);
    AddInstallDefaults(firefoxFolder, sections, true, folders);
    for (const IniSection& section : sections) {
        if (!StartsWithNoCase(section.name, "Profile") || ValueOf(section, "Default") != "1")
            continue;
        const auto path = ValueOf(section, "Path");
        if (!path)
            continue;
        const std::optional<std::string> isRelative = ValueOf(section, "IsRelative");
        const bool relative = isRelative ? *isRelative != "0" : !LooksAbsolute(*path);
        if (auto folder = FolderOf(firefoxFolder, *path, relative))
            folders.push_back(std::move(*folder));
    }
    return folders;
}
