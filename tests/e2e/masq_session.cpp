#include "tests/e2e/masq_session.h"

// after windows.h
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include <gtest/gtest.h>

#include "common/unique_handle_win.h"
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
        p.warden = p.programFolder + "warden.exe";
        p.skin = p.programFolder + "default.skn";
        p.siteFile = p.programFolder + "site.ini";
        p.dataFolder = AppDataFolder() + "Masq NG\\";
        p.settings = p.dataFolder + "masq.ini";
        p.userProxy = p.dataFolder + "userproxy.ini";
        p.report = p.dataFolder + "report.txt";
        return p;
    }();
    return paths;
}

std::string FixtureCommand(const char* linuxPath, const std::string& arguments) {
    std::string command = "\"";
    command.append(WindowsPathOf(linuxPath)).append("\" ").append(arguments);
    return command;
}

void InstallProgram(Skin skin) {
    DeleteTree(Paths().programFolder.substr(0, Paths().programFolder.size() - 1));
    CreateDirectoryA(Paths().programFolder.c_str(), nullptr);
    CopyFileTo(WindowsPathOf(MASQNG_EXE), Paths().exe);
    CopyFileTo(WindowsPathOf(WARDEN_EXE), Paths().warden);
    if (skin == Skin::kInstalled)
        CopyFileTo(WindowsPathOf(MASQNG_SKIN), Paths().skin);
    const std::string& down = RunningSite().down;
    UseDirectoryHosts(down, down, down);
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

std::string ServicesValue(const char* section, const char* key) {
    const char* state = std::getenv("MASQ_E2E_SERVICES");
    return state ? IniValue(WindowsPathOf(state), section, key).value_or("") : std::string();
}

const Node& RunningNode() {
    static const Node node = [] {
        auto value = [](const char* key) { return ServicesValue("Node", key); };
        return Node{value("Host"),       value("Port"),      value("User"),           value("Key"),
                    value("OutAddress"), value("LocalPort"), value("UnreachableHost")};
    }();
    return node;
}

const MakerSite& RunningSite() {
    static const MakerSite site = [] {
        auto value = [](const char* key) { return ServicesValue("Site", key); };
        return MakerSite{value("Directory"),
                         value("Mirror1"),
                         value("Mirror2"),
                         value("NoMarker"),
                         value("Silent"),
                         value("Down"),
                         value("SystemOnly"),
                         value("Firewalled"),
                         value("Forged"),
                         value("Unsigned"),
                         WindowsPathOf(value("Firewall")),
                         WindowsPathOf(value("AccessLog"))};
    }();
    return site;
}

SiteFirewall::SiteFirewall() {
    WriteFile(RunningSite().firewall, "");
}

void SiteFirewall::Open() {
    DeleteFileA(RunningSite().firewall.c_str());
}

std::vector<std::string> DirectoryRequests() {
    // A line of the site's log: $server_addr "$request" "$http_user_agent"
    static const std::regex request(R"re(([\d.]+) "GET (/update-ng\.php\S*) HTTP/[\d.]+".*)re");
    std::vector<std::string> requests;
    for (const std::string& line : ReadLines(RunningSite().accessLog).value_or(std::vector<std::string>{})) {
        std::smatch match;
        if (std::regex_match(line, match, request))
            requests.push_back(match[1].str() + " GET " + match[2].str());
    }
    return requests;
}

void UseDirectoryHosts(const std::string& primary, const std::string& mirror1, const std::string& mirror2) {
    for (const auto& [key, host] :
         {std::pair{"Directory", primary}, std::pair{"Mirror1", mirror1}, std::pair{"Mirror2", mirror2}})
        WritePrivateProfileStringA("Hosts", key, host.c_str(), Paths().siteFile.c_str());
}

void UseDirectoryAtStart(std::optional<int> location) {
    const MakerSite& site = RunningSite();
    UseDirectoryHosts(site.directory, site.mirror1, site.mirror2);
    CreateDirectoryA(Paths().dataFolder.c_str(), nullptr);
    const std::string& settings = Paths().settings;
    WritePrivateProfileStringA("Config", "InternalPort", RunningNode().localPort.c_str(), settings.c_str());
    WritePrivateProfileStringA("Config", "FirstRun", "0", settings.c_str());
    if (location) {
        WritePrivateProfileStringA("Config", "AutoSelectCountry", "1", settings.c_str());
        WritePrivateProfileStringA("Config", "LastCountry", std::to_string(*location).c_str(), settings.c_str());
    }
}

namespace {

int liveMasqs = 0;  // Masq objects of the test that exist

struct ProcessEntry {
    DWORD id;
    DWORD parent;
};
std::vector<ProcessEntry> ProcessesNamed(const char* name) {
    std::vector<ProcessEntry> found;
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{sizeof(entry)};
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (_stricmp(entry.szExeFile, name) == 0)
            found.push_back({entry.th32ProcessID, entry.th32ParentProcessID});
    }
    return found;
}

// Whether a masqng.exe process runs in the prefix: a program, its watch, or the launcher between.
bool AnyMasqRuns() {
    return !ProcessesNamed("masqng.exe").empty();
}

}  // namespace

Masq::Masq() : process_(std::make_unique<Program>("\"" + Paths().exe + "\"", Paths().programFolder)) {
    ++liveMasqs;
}

bool Masq::WaitForStartUp() const {
    return WaitForLog("SilentUpdate Failed!") && CloseUnblockAdvice();
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

bool Masq::CloseUnblockAdvice() const {
    HWND advice = WaitForTopLevel(process_->Id(), "Masq NG Unblock");
    if (!advice)
        return false;
    Click(FindChild(advice, "Button", "&Close"));
    return WaitUntil([&] { return !IsWindow(advice); });
}

Masq::~Masq() {
    // The clients are looked for once the program is gone: one it was starting at that moment is
    // found too, and none comes after. (A client left running would hold the tunnel's port and
    // the test's output pipe, which it inherited.)
    process_->Terminate();
    for (DWORD client : ClientProcesses())
        EndProcess(client);
    if (--liveMasqs == 0 && !WaitUntil([] { return !AnyMasqRuns(); }, 30s))
        ADD_FAILURE() << "the program's watch is still running 30 s after the program ended";
}

bool Masq::WaitForLog(const std::string& text, int count) const {
    return WaitUntil([&] {
        const std::vector<std::string> texts = LogTexts();
        return std::count(texts.begin(), texts.end(), text) >= count;
    });
}

std::vector<DWORD> Masq::ClientProcesses() const {
    std::vector<DWORD> clients;
    for (const ProcessEntry& entry : ProcessesNamed("warden.exe"))
        if (entry.parent == process_->Id())
            clients.push_back(entry.id);
    return clients;
}

DWORD Masq::WaitForWatch() const {
    DWORD watch = 0;
    WaitUntil([&] {
        for (const ProcessEntry& entry : ProcessesNamed("masqng.exe"))
            if (entry.id != process_->Id() && entry.parent != process_->Id())
                watch = entry.id;
        return watch != 0;
    });
    return watch;
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

std::vector<std::string> DirectoryTexts(const Masq& masq) {
    std::vector<std::string> texts = masq.LogTexts();
    auto first = std::find(texts.begin(), texts.end(), "Init settings...");
    auto chosen = std::find_if(first, texts.end(), [](const std::string& t) { return t.starts_with("Select IP: "); });
    return std::vector<std::string>(first, chosen == texts.end() ? chosen : chosen + 1);
}

}  // namespace e2e
