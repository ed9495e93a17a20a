#include "proxy/firefox_proxy.h"

#include <algorithm>

#include "common/product_name.h"
#include "proxy/browser_files.h"
#include "proxy/bypass_list.h"
#include "proxy/firefox_files.h"
#include "proxy/firefox_profiles.h"
#include "proxy/proxy_texts.h"
#include "proxy/window_titles.h"
#include "ui/messages/message_boxes.h"

using namespace proxy_text;

namespace {

// As the system's window functions give them: at most 1001 windows, titles of at most 254
// characters.
constexpr std::size_t kMaxWindows = 1001;
constexpr std::size_t kMaxTitleLength = 254;

// Only A to Z: the titles are in the system's code page, whose other letters have no single
// lower case.
std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower;
}

}  // namespace

FirefoxProxy::FirefoxProxy(const ProgramValues& values, FirefoxPorts ports) : values_(values), ports_(ports) {}

void FirefoxProxy::WriteFirefoxUserJs(bool enable, std::string_view server, std::string_view, std::string_view bypass) {
    const std::string profile = GetFirefoxProfileFolder();
    if (profile.empty())
        return;
    const std::string userJs = profile + kUserJs;
    bool reported = false;
    if (ports_.files.FileExists(userJs)) {
        ports_.files.CopyIfAbsent(userJs, userJs + kUserJsBackupSuffix);
        if (!ports_.files.Remove(userJs)) {
            ShowCanNotChange();
            reported = true;
        }
    }
    // A file that cannot be written is told once and ends the call; the callers go on, so that
    // stopping or exiting never halts half way.
    if (!ports_.files.Write(userJs, UserJsText(enable, server, bypass))) {
        if (!reported)
            ShowCanNotChange();
        return;
    }
    if (FindWindowByTitle(kFirefoxWindowTitle))
        ports_.messages.ShowMessageBox(kProductName, kRestartFirefox, MessageKind::Warning, kButtonsOK);
}

void FirefoxProxy::WriteFirefoxPluginFile(bool enable,
                                          std::string_view server,
                                          std::string_view nodeLabel,
                                          std::string_view bypass) {
    if (values_.TempFolder.empty())
        return;
    ports_.files.Write(values_.TempFolder + kPluginFile, PluginFileText(enable, server, nodeLabel, bypass));
}

void FirefoxProxy::DeleteFirefoxUserJs() {
    const std::string profile = GetFirefoxProfileFolder();
    if (profile.empty())
        return;
    const std::string userJs = profile + kUserJs;
    if (!ports_.files.FileExists(userJs))
        return;
    const std::optional<std::string> text = ports_.files.Read(userJs);
    if (!text) {
        ShowCanNotChange();
        return;
    }
    switch (ClassifyUserJs(*text)) {
        case UserJsKind::Foreign:
            return;
        case UserJsKind::OursProxyOn:
            // Firefox records what it read from user.js in prefs.js and keeps it once user.js is
            // gone: it would stay on the local proxy after its next start. The clearing form
            // takes it back to direct instead.
            if (!ports_.files.Write(userJs, UserJsText(false, "", "")))
                ShowCanNotChange();
            return;
        case UserJsKind::OursProxyOff:
            // The clearing form stays until Firefox has read it: while Firefox runs, or while its
            // prefs.js still names the local proxy.
            if (FindWindowByTitle(kFirefoxWindowTitle) ||
                PrefsHoldProxy(ports_.files.Read(profile + kPrefsJs).value_or(""),
                               LocalProxyServer(values_.InternalPort)))
                return;
            if (!ports_.files.Remove(userJs))
                ShowCanNotChange();
            return;
    }
}

std::string FirefoxProxy::GetFirefoxProfileFolder() const {
    const std::string firefox = values_.AppDataFolder + kFirefoxFolder;
    for (const std::string& folder : FirefoxProfileFolders(firefox, ports_.files.Read(firefox + kInstallsIni),
                                                           ports_.files.Read(firefox + kProfilesIni)))
        if (ports_.files.FolderExists(folder))
            return folder;
    const std::string base = firefox + kProfilesFolder;
    for (const FolderEntry& entry : ports_.files.FindEntries(base + kDefaultProfilePattern))
        if (!entry.hidden && !entry.system)
            return base + entry.name + "\\";
    return "";
}

bool FirefoxProxy::FindWindowByTitle(std::string_view text) const {
    const std::string wanted = AsciiLower(text);
    for (const std::string& title : ports_.windows.TopLevelTitles(kMaxWindows, kMaxTitleLength))
        if (AsciiLower(title).find(wanted) != std::string::npos)
            return true;
    return false;
}

void FirefoxProxy::ShowCanNotChange() {
    ports_.messages.ShowMessageBox(kProductName, kCanNotChangeFirefox, MessageKind::Error, kButtonsOK);
}
