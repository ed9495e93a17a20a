// The activity log's file on disk. The program never keeps it open, so the user can read it at
// any moment.
#pragma once

#include <string_view>

class ReportFile {
  public:
    virtual ~ReportFile() = default;

    // The file the saves go to from now on.
    virtual void Open(std::string_view path) = 0;

    // The file becomes exactly `contents`; false when it could not be written.
    virtual bool Replace(std::string_view contents) = 0;
    // `contents` is added at the end of the existing file; false when the file is missing or
    // could not be written (it may then hold part of `contents`).
    virtual bool Append(std::string_view contents) = 0;
};
