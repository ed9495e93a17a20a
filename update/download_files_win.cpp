#include "update/download_files_win.h"

#include <windows.h>

#include <utility>

#include "common/unique_handle_win.h"

namespace {

class WinDownloadFile final : public DownloadFile {
  public:
    explicit WinDownloadFile(UniqueFile file) : file_(std::move(file)) {}

    bool Write(const char* data, std::size_t size) override {
        while (size > 0) {
            DWORD written = 0;
            if (!WriteFile(file_.Get(), data, DWORD(size), &written, nullptr) || written == 0)
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

  private:
    UniqueFile file_;
};

}  // namespace

std::unique_ptr<DownloadFile> WinDownloadFiles::Create(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return nullptr;
    return std::make_unique<WinDownloadFile>(std::move(file));
}

std::optional<std::string> WinDownloadFiles::ReadSmall(const std::string& path, std::size_t limit) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || std::size_t(size.QuadPart) > limit)
        return std::nullopt;
    std::string bytes(std::size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()))
        return std::nullopt;
    return bytes;
}

void WinDownloadFiles::Remove(const std::string& path) {
    DeleteFileA(path.c_str());
}
