#include "platform/file_bytes_win.h"

#include "common/unique_handle_win.h"

std::optional<std::string> ReadFileBytes(std::string_view path) {
    UniqueFile file(CreateFileA(std::string(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size))
        return std::nullopt;
    std::string contents(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
        return std::nullopt;
    contents.resize(read);
    return contents;
}

bool WriteFileBytes(std::string_view path, DWORD access, DWORD disposition, std::string_view bytes) {
    UniqueFile file(CreateFileA(std::string(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
