// masqng-setup.exe under Wine: a per-user installation with a Start-menu entry whose target
// starts the program, an uninstaller that removes the autostart value and keeps the user's
// settings unless asked, both closing a running copy first; and the pages as a user sees them.
#include <windows.h>
// after windows.h
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "common/unique_handle_win.h"
#include "resources/resource_ids.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace {

using namespace driver;
using namespace std::chrono_literals;

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Masq NG";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kFirefoxHostKey[] = "Software\\Mozilla\\NativeMessagingHosts\\masqng_firefox_host";
constexpr int kNextButton = 1;  // "Next >", "Install", "Uninstall" and "Finish" of every page

std::string SpecialFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The program a shortcut (.lnk) starts; empty when it cannot be read.
std::string ShortcutTarget(const std::string& link) {
    std::string target;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return target;
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            const std::wstring wide(link.begin(), link.end());
            char path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
                SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return target;
}

class InstallerTest : public testing::Test {
  protected:
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }

    // No installation, no Start-menu entry, no settings and no autostart value.
    void Forget() const {
        DeleteTree(programFolder_);
        DeleteFileA(shortcut_.c_str());
        DeleteTree(dataFolder_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kFirefoxHostKey);
        DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, "Masq NG");
    }
    static std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
    std::string Installed(const std::string& name) const { return programFolder_ + "\\" + name; }

    static std::optional<DWORD> Run(const std::string& commandLine) {
        Program program(commandLine);
        return program.WaitForExit(120s);
    }
    static std::optional<DWORD> InstallSilently() { return Run(Quoted(WindowsPathOf(SETUP_EXE)) + " /S"); }
    // The uninstaller copies itself to the temporary folder and runs from there: the installation
    // is gone once its uninstall entry is.
    bool UninstallSilently(const std::string& options = {}) const {
        Run(Quoted(Installed("uninstall.exe")) + " /S" + options);
        return WaitUntil([&] { return !RegistryValue(HKEY_CURRENT_USER, kUninstallKey, "DisplayName"); }) &&
               WaitUntil([&] { return !Exists(programFolder_); });
    }

    const std::string programFolder_ = SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Masq NG";
    const std::string shortcut_ = SpecialFolder(CSIDL_PROGRAMS) + "\\Masq NG.lnk";
    const std::string dataFolder_ = AppDataFolder() + "Masq NG";
};

TEST_F(InstallerTest, InstallsForTheUserWithAStartMenuEntryWhoseTargetStartsTheProgram) {
    ASSERT_EQ(InstallSilently(), 0u);

    for (const char* file : {"masqng.exe", "warden.exe", "default.skn", "masqng_firefox_host.exe",
                             "masqng_firefox_host.json", "uninstall.exe"})
        EXPECT_TRUE(Exists(Installed(file))) << file;
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kFirefoxHostKey, ""), Installed("masqng_firefox_host.json"));
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kUninstallKey, "DisplayName"), "Masq NG");
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion"), "1.84");
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kUninstallKey, "UninstallString"), Quoted(Installed("uninstall.exe")));
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation"), programFolder_);

    const std::string target = ShortcutTarget(shortcut_);
    ASSERT_EQ(lstrcmpiA(target.c_str(), Installed("masqng.exe").c_str()), 0) << target;
    Program masq(Quoted(target), programFolder_);
    // Started: it found its skin beside it and wrote its log header.
    EXPECT_TRUE(WaitUntil([&] {
        for (const std::string& line : ReadLines(dataFolder_ + "\\report.txt").value_or(std::vector<std::string>{}))
            if (line.find("] TimeZone: ") != std::string::npos)
                return true;
        return false;
    })) << "no log header from the installed program";

    // Ended the way a user ends it, so that its tray icon goes with it.
    HWND mainForm = nullptr;
    for (HWND window : TopLevelWindows(masq.Id()))
        if (GetDlgItem(window, IDC_PAGES))
            mainForm = window;
    ASSERT_TRUE(mainForm);
    PostMessageA(mainForm, WM_CLOSE, 0, 0);
    EXPECT_TRUE(masq.WaitForExit(kUiTimeout));
}

TEST_F(InstallerTest, TheUninstallerRemovesTheAutostartValueAndKeepsTheSettingsUnlessAsked) {
    ASSERT_EQ(InstallSilently(), 0u);
    CreateDirectoryA(dataFolder_.c_str(), nullptr);
    WriteFile(dataFolder_ + "\\masq.ini", "[Config]\r\nVersion=1.84\r\n");
    SetRegistryValue(HKEY_CURRENT_USER, kRunKey, "Masq NG", Quoted(Installed("masqng.exe")));

    ASSERT_TRUE(UninstallSilently());
    EXPECT_FALSE(Exists(shortcut_));
    EXPECT_FALSE(RegistryValue(HKEY_CURRENT_USER, kFirefoxHostKey, ""));
    EXPECT_FALSE(RegistryValue(HKEY_CURRENT_USER, kRunKey, "Masq NG"));
    EXPECT_TRUE(Exists(dataFolder_ + "\\masq.ini"));

    ASSERT_EQ(InstallSilently(), 0u);
    ASSERT_TRUE(UninstallSilently(" /REMOVESETTINGS"));
    // The settings' section runs after the one whose end UninstallSilently waits for.
    EXPECT_TRUE(WaitUntil([&] { return !Exists(dataFolder_); }));
}

TEST_F(InstallerTest, InstallerAndUninstallerCloseARunningCopyFirst) {
    ASSERT_EQ(InstallSilently(), 0u);
    const std::string marker = AppDataFolder() + "running-program-closed.txt";
    const auto startRunningCopy = [&] {
        DeleteFileA(marker.c_str());
        auto program = std::make_unique<Program>(Quoted(WindowsPathOf(RUNNING_PROGRAM_EXE)) + " " + Quoted(marker));
        EXPECT_TRUE(WaitUntil([&] { return FindTopLevel(program->Id(), "", "MasqNGMain", Visibility::kAny); }));
        return program;
    };

    // Over an installed copy, as the update runs it.
    auto running = startRunningCopy();
    ASSERT_EQ(InstallSilently(), 0u);
    EXPECT_EQ(running->WaitForExit(0ms), 0u) << "the installer finished while the program still ran";
    EXPECT_EQ(ReadFile(marker), "closed");

    // The uninstaller, run in place ("_?=") so that its end is the end of its work.
    running = startRunningCopy();
    EXPECT_EQ(Run(Quoted(Installed("uninstall.exe")) + " /S _?=" + programFolder_), 0u);
    EXPECT_EQ(running->WaitForExit(0ms), 0u) << "the uninstaller finished while the program still ran";
    EXPECT_FALSE(Exists(Installed("masqng.exe")));
    DeleteFileA(marker.c_str());
}

// The visible wizard window whose caption begins with `caption` (the pages add to it).
HWND FindWizard(std::string_view caption) {
    struct Search {
        std::string_view caption;
        HWND found = nullptr;
    } search{caption};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (IsWindowVisible(window) && ClassOf(window) == "#32770" && TextOf(window).rfind(s.caption, 0) == 0 &&
                GetDlgItem(window, kNextButton)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A page of the installer or uninstaller: its window once the page's "next" button reads `next`
// and takes clicks.
HWND WaitForPage(std::string_view caption, std::string_view next) {
    HWND page = nullptr;
    std::string button;
    if (WaitUntil([&] {
            page = FindWizard(caption);
            HWND nextButton = page ? GetDlgItem(page, kNextButton) : nullptr;
            button = nextButton ? TextOf(nextButton) : "";
            return button == next && IsWindowEnabled(nextButton);
        }))
        return page;
    ADD_FAILURE() << "no page of \"" << caption << "\" with \"" << next << "\"; last seen: \"" << button << "\"";
    return nullptr;
}

// The process that shows a window, ended (if it still runs) when this goes out of scope.
class ProcessOfWindow {
  public:
    explicit ProcessOfWindow(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_.Reset(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    }
    ~ProcessOfWindow() {
        if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.Get(), 1);
    }

  private:
    UniqueHandle process_;
};

// Pages fill in after their buttons read right: wait for a control of the page, then have the
// whole window painted before the picture is taken.
void SavePage(const std::string& name, HWND page, std::string_view pageControlClass) {
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND control : ChildrenOfClass(page, pageControlClass))
            if (IsWindowVisible(control))
                return true;
        return false;
    })) << name;
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveWindowScreenshot(name, page);
}

TEST_F(InstallerTest, ThePagesOfTheInstallerAndTheUninstaller) {
    Program setup(Quoted(WindowsPathOf(SETUP_EXE)));
    HWND welcome = WaitForPage("Masq NG Setup", "&Next >");
    ASSERT_TRUE(welcome);
    SavePage("installer_welcome", welcome, "Static");
    Click(GetDlgItem(welcome, kNextButton));

    HWND folder = WaitForPage("Masq NG Setup", "&Install");
    ASSERT_TRUE(folder);
    EXPECT_TRUE(FindChild(folder, "Edit", programFolder_)) << "the per-user folder, blank included";
    SavePage("installer_folder", folder, "Edit");
    Click(GetDlgItem(folder, kNextButton));

    HWND finish = WaitForPage("Masq NG Setup", "&Finish");
    ASSERT_TRUE(finish);
    SavePage("installer_finish", finish, "Button");
    HWND startNow = FindChild(finish, "Button", "Start Masq NG");
    ASSERT_TRUE(startNow);
    Click(startNow);  // unticked: the test starts nothing it does not end
    Click(GetDlgItem(finish, kNextButton));
    ASSERT_EQ(setup.WaitForExit(kUiTimeout), 0u);
    ASSERT_TRUE(Exists(Installed("masqng.exe")));

    // The uninstaller hands over to its copy in the temporary folder, which shows the pages.
    Run(Quoted(Installed("uninstall.exe")));
    HWND confirm = WaitForPage("Masq NG Uninstall", "&Next >");
    ASSERT_TRUE(confirm);
    ProcessOfWindow copy(confirm);  // ended with the test, should the test stop half-way
    SavePage("uninstaller_confirm", confirm, "Edit");
    Click(GetDlgItem(confirm, kNextButton));

    HWND options = WaitForPage("Masq NG Uninstall", "&Uninstall");
    ASSERT_TRUE(options);
    SavePage("uninstaller_options", options, "SysTreeView32");
    Click(GetDlgItem(options, kNextButton));

    HWND done = WaitForPage("Masq NG Uninstall", "&Close");
    ASSERT_TRUE(done);
    SavePage("uninstaller_done", done, "msctls_progress32");
    Click(GetDlgItem(done, kNextButton));
    EXPECT_TRUE(WaitUntil([&] { return !Exists(programFolder_); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(done); }));
}

}  // namespace
