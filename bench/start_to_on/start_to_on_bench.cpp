// Start to "Masq ON": how long the program takes from its start to hiding the address, with the
// directory on the maker's site, the node chosen by itself, warden.exe up and the browsers set.
// Runs the installed program (PROGRAM_FOLDER, with its site.ini) again and again, each time until
// its log says "Masq ON", then closes it as the installer does (WM_CLOSE to the main form), which
// also ends its warden.exe.
//   start_to_on_bench.exe PROGRAM_FOLDER REPORT_FILE ROUNDS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace {

using namespace driver;

bool Logged(const std::string& report, const std::string& text) {
    for (const std::string& line : ReadLines(report).value_or(std::vector<std::string>{}))
        if (line.size() >= text.size() && line.compare(line.size() - text.size(), text.size(), text) == 0)
            return true;
    return false;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// One start of the program: seconds to "Masq ON", or a negative number when it never came.
double OneRound(const std::string& folder, const std::string& report) {
    DeleteFileA(report.c_str());
    LARGE_INTEGER started, on;
    QueryPerformanceCounter(&started);
    Program masq("\"" + folder + "masqng.exe\"", folder);
    const bool reached = WaitUntil([&] { return Logged(report, "] Masq ON"); }, std::chrono::seconds(60));
    QueryPerformanceCounter(&on);
    HWND form = FindTopLevel(masq.Id(), "", MAIN_FORM_CLASS, Visibility::kAny);
    if (form)
        PostMessageA(form, WM_CLOSE, 0, 0);
    if (!masq.WaitForExit(std::chrono::seconds(30)))
        masq.Terminate();
    return reached ? Seconds(started, on) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: start_to_on_bench.exe PROGRAM_FOLDER REPORT_FILE ROUNDS\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    const std::string report = argv[2];
    const int rounds = std::max(1, std::atoi(argv[3]));
    OneRound(folder, report);  // warm-up: the first start loads what later ones find cached
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double seconds = OneRound(folder, report);
        if (seconds < 0) {
            std::printf("start to Masq ON: round %d never reached it (see %s)\n", i + 1, report.c_str());
            return 1;
        }
        times.push_back(seconds);
        std::printf("  round %d: %.2f s\n", i + 1, seconds);
    }
    std::sort(times.begin(), times.end());
    const double median =
        times.size() % 2 ? times[times.size() / 2] : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("start to Masq ON under Wine: median %.2f s (%.2f-%.2f) over %zu starts; goal <= 3 s median\n", median,
                times.front(), times.back(), times.size());
    return 0;
}
