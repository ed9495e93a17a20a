#include "proxy/browser_files_win.h"

#include "common/unique_handle_win.h"
#include "platform/file_bytes_win.h"

std::vector<FolderEntry> WinBrowserFiles::FindEntries(std::string_view pattern) const {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA(std::string(pattern).c_str(), &found));
    if (!search)
        return entries;
    do {
        entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                           (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0});
    } while (FindNextFileA(search.Get(), &found));
    return entries;
}

bool WinBrowserFiles::FileExists(std::string_view path) const {
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinBrowserFiles::FolderExists(std::string_view path) const {
    std::string folder(path);
    if (folder.size() > 3 && folder.back() == '\\')  // "C:\" names the root itself
        folder.pop_back();
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> WinBrowserFiles::Read(std::string_view path) const {
    return ReadFileBytes(path);
}

bool WinBrowserFiles::Write(std::string_view path, std::string_view bytes) {
    return WriteFileBytes(path, GENERIC_WRITE, CREATE_ALWAYS, bytes);
}

bool WinBrowserFiles::Remove(std::string_view path) {
    return ::DeleteFileA(std::string(path).c_str());
}

bool WinBrowserFiles::CopyIfAbsent(std::string_view from, std::string_view to) {
    return ::CopyFileA(std::string(from).c_str(), std::string(to).c_str(), TRUE);
}
