#include "settings/report_file_win.h"

#include "common/unique_handle_win.h"

void WinReportFile::Open(std::string_view path) {
    path_ = path;
}

bool WinReportFile::Replace(std::string_view contents) {
    return Write(GENERIC_WRITE, CREATE_ALWAYS, contents);
}

bool WinReportFile::Append(std::string_view contents) {
    // OPEN_EXISTING: a file deleted behind our back must be rewritten whole, not restarted here.
    return Write(FILE_APPEND_DATA, OPEN_EXISTING, contents);
}

bool WinReportFile::Write(DWORD access, DWORD disposition, std::string_view contents) {
    UniqueFile file(
        CreateFileA(path_.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
           written == contents.size();
}
