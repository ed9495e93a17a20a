#include "platform/folder_system_win.h"

#include "common/unique_handle_win.h"
#include "platform/file_bytes_win.h"

#include <shlobj.h>

namespace {

struct ItemIdListTraits {
    using Handle = LPITEMIDLIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CoTaskMemFree(h); }
};
using UniqueItemIdList = Unique<ItemIdListTraits>;

DWORD Attributes(std::string_view path) {
    return GetFileAttributesA(std::string(path).c_str());
}

}  // namespace

WinFolderSystem::WinFolderSystem(HWND owner) : owner_(owner) {}

std::string WinFolderSystem::ExecutablePath() const {
    // The call cuts a path that does not fit and then returns the buffer's size: grow until it fits.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string WinFolderSystem::WindowsFolder() const {
    char buffer[MAX_PATH + 1];
    UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
    return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string WinFolderSystem::UserAppDataFolder() const {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner_, CSIDL_APPDATA, &list)))
        return {};
    UniqueItemIdList owned(list);
    char buffer[MAX_PATH];
    if (!SHGetPathFromIDListA(owned.Get(), buffer))
        return {};
    return buffer;
}

std::string WinFolderSystem::TempPath() const {
    char buffer[MAX_PATH];
    DWORD length = GetTempPathA(sizeof buffer, buffer);
    return length < sizeof buffer ? std::string(buffer, length) : std::string();
}

bool WinFolderSystem::FolderExists(std::string_view path) const {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFolderSystem::FileExists(std::string_view path) const {
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFolderSystem::CreateFolder(std::string_view path) {
    return CreateDirectoryA(std::string(path).c_str(), nullptr);
}

std::optional<std::string> WinFolderSystem::ReadTextFile(std::string_view path) const {
    return ReadFileBytes(path);
}
