#include <windows.h>

#include <algorithm>

#include "common/unique_handle_win.h"
#include "firefox/host/os.h"
#include "firefox/host/state_file.h"

namespace firefox_host::os {

namespace {

std::wstring Widen(std::string_view text, UINT code_page) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Narrow(std::wstring_view wide, UINT code_page) {
    if (wide.empty())
        return {};
    const int size =
        WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

}  // namespace

void PrepareProcess() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

std::string StateFilePath() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof(folder), folder);
    if (length == 0 || length >= sizeof(folder))
        return {};
    return std::string(folder, length) + std::string(kStateFileName);
}

FileSnapshot ReadPlainFile(const std::string& path, std::size_t limit) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileSnapshot::Kind::kMissing : FileSnapshot::Kind::kUnreadable};
    }
    if (GetFileType(file.Get()) != FILE_TYPE_DISK)
        return {FileSnapshot::Kind::kUnreadable};
    FileSnapshot snapshot{FileSnapshot::Kind::kContent};
    snapshot.content.resize(limit + 1);
    std::size_t held = 0;
    while (held < snapshot.content.size()) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(snapshot.content.size() - held);
        if (!ReadFile(file.Get(), snapshot.content.data() + held, want, &got, nullptr))
            return {FileSnapshot::Kind::kUnreadable};
        if (got == 0)
            break;
        held += got;
    }
    snapshot.content.resize(held);
    return snapshot;
}

std::size_t ReadInput(std::span<std::uint8_t> buffer) {
    DWORD got = 0;
    if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
        return 0;  // ERROR_BROKEN_PIPE: Firefox closed its end
    return got;
}

bool WriteOutput(std::string_view bytes) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    while (!bytes.empty()) {
        DWORD put = 0;
        if (!WriteFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) || put == 0)
            return false;
        bytes.remove_prefix(put);
    }
    return true;
}

std::string AnsiToUtf8(std::string_view text) {
    return Narrow(Widen(text, CP_ACP), CP_UTF8);
}

}  // namespace firefox_host::os
