// Logs 100,000 lines as the program does, to a real report file, and prints the cost per line
// at the start, the middle and the end of the run: with the file kept an exact copy after every
// line, that cost must not grow with the log.
#include "settings/report_log.h"

#ifdef _WIN32
#include "settings/report_clock_win.h"
#include "settings/report_file_win.h"
using PlatformReportFile = WinReportFile;
using PlatformReportClock = WinReportClock;
constexpr char kPlatform[] = "Win32 report file";
#else
#include "bench/report_log/std_report_port.h"
using PlatformReportFile = StdReportFile;
using PlatformReportClock = StdReportClock;
constexpr char kPlatform[] = "C++ library file";
#endif

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr int kLines = 100000;
constexpr int kBlock = 1000;  // lines timed together

using Clock = std::chrono::steady_clock;

double MicrosecondsPerLine(Clock::duration block) {
    return std::chrono::duration<double, std::micro>(block).count() / kBlock;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

int main() {
    const std::string path = (std::filesystem::temp_directory_path() / "masq-report-bench.txt").string();
    PlatformReportFile file;
    PlatformReportClock clock;
    ReportLog log(file, clock);
    log.Open(path);
    log.StartRun({"[Config]", "Version=1.84", "FirstRun=0", "InternalPort=7070"});

    std::printf("report log, %d lines, %s\n", kLines, kPlatform);
    Clock::duration blocks[kLines / kBlock];
    for (int block = 0; block < kLines / kBlock; ++block) {
        const auto started = Clock::now();
        for (int i = 0; i < kBlock; ++i)
            log.Report("Connected to node 127.0.0.1:7070, status line " + std::to_string(i));
        blocks[block] = Clock::now() - started;
    }
    for (int block : {0, 1, kLines / kBlock / 2, kLines / kBlock - 1}) {
        std::printf("  lines %6d-%6d: %8.2f us/line\n", block * kBlock + 1, (block + 1) * kBlock,
                    MicrosecondsPerLine(blocks[block]));
    }
    std::printf("  end / start (lines 1001-2000): %.2f\n",
                MicrosecondsPerLine(blocks[kLines / kBlock - 1]) / MicrosecondsPerLine(blocks[1]));

    // What each line would cost if every line rewrote the whole file, at this length.
    std::string whole;
    for (const std::string& line : log.Lines())
        whole.append(line).append("\r\n");
    const auto started = Clock::now();
    file.Replace(whole);
    const double rewrite = std::chrono::duration<double, std::micro>(Clock::now() - started).count();
    std::printf("  one whole rewrite of the %.1f MB file: %.0f us\n", whole.size() / 1e6, rewrite);

    const bool exact = Contents(path) == whole;
    std::printf("  file is an exact copy of the lines: %s\n", exact ? "yes" : "NO");
    std::filesystem::remove(path);
    return exact ? 0 : 1;
}
