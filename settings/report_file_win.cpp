#include "settings/report_file_win.h"

#include "platform/file_bytes_win.h"

void WinReportFile::Open(std::string_view path) {
    path_ = path;
}

bool WinReportFile::Replace(std::string_view contents) {
    return WriteFileBytes(path_, GENERIC_WRITE, CREATE_ALWAYS, contents);
}

bool WinReportFile::Append(std::string_view contents) {
    // OPEN_EXISTING: a file deleted behind our back must be rewritten whole, not restarted here.
    return WriteFileBytes(path_, FILE_APPEND_DATA, OPEN_EXISTING, contents);
}
