// The program under test: a fresh installation in a folder with a space in its name, the user's
// state reset before each test, and the running program as the tests see it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/driver/program.h"
#include "ui/tray_menu.h"

namespace e2e {

using namespace driver;

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kWindowsVersionKey[] = "Software\\Wine\\AppDefaults\\masqng.exe";

struct MasqPaths {
    std::string programFolder;  // ends in a backslash
    std::string exe;
    std::string skin;
    std::string dataFolder;  // ends in a backslash
    std::string settings;
    std::string report;
};
const MasqPaths& Paths();

enum class Skin { kInstalled, kMissing };
// Copies masqng.exe (and default.skn) into a fresh program folder.
void InstallProgram(Skin skin = Skin::kInstalled);
// No data folder, no autostart entry, Windows 7.
void ResetUserState();
// Makes Wine report another Windows version to the program ("winxp64", "vista", ...).
void SetWindowsVersion(const std::string& version);

// A line of report.txt split into its time stamp and its text; false when it is no log line.
bool ParseLogLine(const std::string& line, std::string& text);

class Masq {
  public:
    Masq();
    Program& Process() const { return *process_; }
    // Waits for the last line of the log header (the start-up sequence is done).
    bool WaitForStartUp();
    // The main form: the options dialog, hidden while the program sits in the tray.
    HWND MainForm() const;
    // Sends a tray menu command as the menu does.
    void Command(TrayMenuItem item) const;
    // The options dialog opened by its menu command; nullptr when it did not show.
    HWND OpenOptions() const;
    std::vector<std::string> LogTexts() const;

  private:
    std::unique_ptr<Program> process_;
};

}  // namespace e2e
