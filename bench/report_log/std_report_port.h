// The report file and clock of the native benchmark run, through the C++ library.
#pragma once

#include "settings/report_clock.h"
#include "settings/report_file.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

class StdReportFile final : public ReportFile {
  public:
    void Open(std::string_view path) override { path_ = path; }
    bool Replace(std::string_view contents) override { return Write(std::ios::trunc, contents); }
    bool Append(std::string_view contents) override {
        return std::filesystem::exists(path_) && Write(std::ios::app, contents);
    }

  private:
    bool Write(std::ios::openmode mode, std::string_view contents) {
        std::ofstream file(path_, std::ios::binary | std::ios::out | mode);
        file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        file.close();
        return !file.fail();
    }

    std::string path_;
};

class StdReportClock final : public ReportClock {
  public:
    LocalDateTime Now() const override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const auto today = floor<days>(now);
        const year_month_day date(today);
        const hh_mm_ss time(floor<milliseconds>(now - today));
        return {static_cast<int>(date.year()),
                static_cast<int>(static_cast<unsigned>(date.month())),
                static_cast<int>(static_cast<unsigned>(date.day())),
                static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()),
                static_cast<int>(time.subseconds().count())};
    }
    std::string TimeSeparator() const override { return ":"; }
    std::string DateSeparator() const override { return "/"; }
};
