// The program under test: a fresh installation in a folder with a space in its name, the user's
// state reset before each test, and the running program as the tests see it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/driver/program.h"
#include "ui/tray/tray_menu.h"

namespace e2e {

using namespace driver;

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kWindowsVersionKey[] = "Software\\Wine\\AppDefaults\\masqng.exe";

struct MasqPaths {
    std::string programFolder;  // ends in a backslash
    std::string exe;
    std::string warden;
    std::string skin;
    std::string siteFile;
    std::string dataFolder;  // ends in a backslash
    std::string settings;
    std::string userProxy;  // the program's own records beside masq.ini
    std::string report;
};
const MasqPaths& Paths();

// A fixture program's command line (tests/e2e/fixtures): its path quoted, then the arguments.
std::string FixtureCommand(const char* linuxPath, const std::string& arguments);

enum class Skin { kInstalled, kMissing };
// Copies masqng.exe, warden.exe (and default.skn) into a fresh program folder, with a site.ini
// whose directory hosts are all down: a test that asks for no directory gets its failure at once.
void InstallProgram(Skin skin = Skin::kInstalled);
// No data folder, no autostart entry, Windows 7.
void ResetUserState();
// Makes Wine report another Windows version to the program ("winxp64", "vista", ...).
void SetWindowsVersion(const std::string& version);

// A line of report.txt split into its time stamp and its text; false when it is no log line.
bool ParseLogLine(const std::string& line, std::string& text);

// A value the test services (tests/e2e/services.sh) wrote into their state file; empty when none.
std::string ServicesValue(const char* section, const char* key);

// The proxy node the test services run (tests/e2e/services.sh): microsocks with user/password.
struct Node {
    std::string host;
    std::string port;
    std::string user;
    std::string key;
    std::string outAddress;       // where its connections come from
    std::string localPort;        // for the tunnel client's local proxy
    std::string unreachableHost;  // a node the directory lists where nothing listens
};
const Node& RunningNode();

// The maker's site the test services run: its directory hosts, each on its own address.
struct MakerSite {
    std::string directory, mirror1, mirror2;  // answer with the node list
    std::string noMarker;                     // answers without the end marker "E=1"
    std::string silent;                       // accepts and never answers
    std::string down;                         // nothing listens
    std::string systemOnly;                   // closes on the program's request, serves the system's download
    std::string firewalled;                   // closes on the request while the file `firewall` exists
    std::string forged;            // a forger's reply: its own address as the node, the real reply's signature
    std::string withoutSignature;  // the reply without its signature line
    std::string firewall;
    std::string accessLog;  // the requests the site saw, one a line
};
const MakerSite& RunningSite();
// A firewall in front of the site's firewalled host, up from its making until Open() or its end.
class SiteFirewall {
  public:
    SiteFirewall();
    ~SiteFirewall() { Open(); }
    SiteFirewall(const SiteFirewall&) = delete;
    SiteFirewall& operator=(const SiteFirewall&) = delete;
    void Open();
};
// The directory requests of the site's log: "HOST GET PATH?QUERY", in order.
std::vector<std::string> DirectoryRequests();

// The directory hosts the installed program asks (site.ini), in order.
void UseDirectoryHosts(const std::string& primary, const std::string& mirror1, const std::string& mirror2);
// The site's own directory hosts, the node's local port for the tunnel client's proxy, and, given a
// location, the choice of a node of that location at start-up without a question (masq.ini). Not
// the first run: the first run's tour would wait for the user.
void UseDirectoryAtStart(std::optional<int> location = 10);

class Masq {
  public:
    Masq();
    // Ends the program if it still runs, and the tunnel clients it started with it; when no
    // other program of the test runs, waits until its watch has ended too (the watch clears what
    // the ended program left, and the next test must find the files and settings as it made them).
    ~Masq();
    Program& Process() const { return *process_; }
    // Waits until a start without a directory has settled: the request failed and its unblock
    // advice, which waits for the user, is closed. Nothing of the start comes after.
    bool WaitForStartUp() const;
    // The main form: the options dialog, hidden while the program sits in the tray.
    HWND MainForm() const;
    // Sends a tray menu command as the menu does.
    void Command(TrayMenuItem item) const;
    // The options dialog opened by its menu command; nullptr when it did not show.
    HWND OpenOptions() const;
    // Closes the unblock advice that a failed directory request brings; false when none showed.
    bool CloseUnblockAdvice() const;
    std::vector<std::string> LogTexts() const;
    // Waits until the log holds `text` `count` times.
    bool WaitForLog(const std::string& text, int count = 1) const;
    // The running warden.exe processes the program started.
    std::vector<DWORD> ClientProcesses() const;
    // The program's watch once it runs (a masqng.exe that is neither the program nor a child of
    // it); 0 when none came.
    DWORD WaitForWatch() const;

  private:
    std::unique_ptr<Program> process_;
};

// The directory's part of the program's log: from its first line up to the choice of a node, or
// all of it when no node was chosen.
std::vector<std::string> DirectoryTexts(const Masq& masq);

}  // namespace e2e
