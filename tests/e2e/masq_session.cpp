#include "tests/e2e/masq_session.h"

#include <regex>

#include "resources/resource_ids.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace e2e {

using namespace driver;

const MasqPaths& Paths() {
    static const MasqPaths paths = [] {
        MasqPaths p;
        p.programFolder = "C:\\Masq NG e2e\\";
        p.exe = p.programFolder + "masqng.exe";
        p.skin = p.programFolder + "default.skn";
        p.dataFolder = AppDataFolder() + "Masq NG\\";
        p.settings = p.dataFolder + "masq.ini";
        p.report = p.dataFolder + "report.txt";
        return p;
    }();
    return paths;
}

void InstallProgram(Skin skin) {
    DeleteTree(Paths().programFolder.substr(0, Paths().programFolder.size() - 1));
    CreateDirectoryA(Paths().programFolder.c_str(), nullptr);
    CopyFileTo(WindowsPathOf(MASQNG_EXE), Paths().exe);
    if (skin == Skin::kInstalled)
        CopyFileTo(WindowsPathOf(MASQNG_SKIN), Paths().skin);
}

void ResetUserState() {
    DeleteTree(Paths().dataFolder.substr(0, Paths().dataFolder.size() - 1));
    DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Masq NG");
    SetWindowsVersion("win7");  // whatever the prefix says
}

void SetWindowsVersion(const std::string& version) {
    SetRegistryValue(HKEY_CURRENT_USER, kWindowsVersionKey, "Version", version);
}

bool ParseLogLine(const std::string& line, std::string& text) {
    static const std::regex logLine(R"(\[ \d\d:\d\d:\d\d:\d\d\d \d{4}/\d\d/\d\d \] (.*))");
    std::smatch match;
    if (!std::regex_match(line, match, logLine))
        return false;
    text = match[1];
    return true;
}

Masq::Masq() : process_(std::make_unique<Program>("\"" + Paths().exe + "\"", Paths().programFolder)) {}

bool Masq::WaitForStartUp() {
    return WaitUntil([&] {
        for (const std::string& text : LogTexts())
            if (text.rfind("TimeZone: ", 0) == 0)
                return true;
        return false;
    });
}

HWND Masq::MainForm() const {
    // The options dialog is the one window of the program with the page control.
    for (HWND window : TopLevelWindows(process_->Id()))
        if (GetDlgItem(window, IDC_PAGES))
            return window;
    return nullptr;
}

void Masq::Command(TrayMenuItem item) const {
    PostMessageA(MainForm(), WM_COMMAND, EntryOf(item).commandId, 0);
}

HWND Masq::OpenOptions() const {
    Command(TrayMenuItem::Options1);
    HWND form = MainForm();
    return WaitUntil([&] { return IsWindowVisible(form) != 0; }) ? form : nullptr;
}

std::vector<std::string> Masq::LogTexts() const {
    std::vector<std::string> texts;
    for (const std::string& line : ReadLines(Paths().report).value_or(std::vector<std::string>{})) {
        std::string text;
        if (ParseLogLine(line, text))
            texts.push_back(text);
    }
    return texts;
}

}  // namespace e2e
