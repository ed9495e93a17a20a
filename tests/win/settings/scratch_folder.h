// A folder of its own for one test under the user's temporary folder, removed with all it
// holds when the test ends.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

class ScratchFolder {
  public:
    ScratchFolder() : folder_(MakeUnique()) { std::filesystem::create_directory(folder_); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Folder() const { return folder_.string(); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  private:
    static std::filesystem::path MakeUnique() {
        static int made = 0;
        return std::filesystem::temp_directory_path() /
               ("masq-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made));
    }

    std::filesystem::path folder_;
};

// The bytes of a file as they are on disk; nullopt when it cannot be read.
inline std::optional<std::string> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
