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

FirefoxProxy::FirefoxProxy(const ProgramValues& values, FirefoxPorts ports)
    : values_(values), ports_(ports), records_(ports.records) {}

void FirefoxProxy::WriteFirefoxUserJs(bool enable, std::string_view server, std::string_view, std::string_view bypass) {
    if (!enable) {
        TakeBackUserJs(true);
        return;
    }
    const std::string profile = GetFirefoxProfileFolder();
    if (profile.empty())
        return;
    const std::string userJs = profile + kUserJs;
    // A file that cannot be kept or written is told once and ends the call; the callers go on,
    // so that stopping or exiting never halts half way.
    if (!KeepUsersUserJs(userJs) || !ports_.files.Write(userJs, UserJsText(true, server, bypass))) {
        ShowCanNotChange();
        return;
    }
    if (FindWindowByTitle(kFirefoxWindowTitle))
        ShowRestartFirefox();
}

bool FirefoxProxy::KeepUsersUserJs(const std::string& userJs) {
    const std::optional<ReplacedUserJs> replaced = records_.SavedUserJs();
    if (!ports_.files.FileExists(userJs)) {
        // Nothing of the user's is there. A record of this file stands when the program's file was
        // taken away by hand: the user's own stays where it was kept.
        if (!replaced || replaced->userJs != userJs)
            records_.SaveUserJs({userJs, ""});
        return true;
    }
    const std::optional<std::string> text = ports_.files.Read(userJs);
    if (!text)
        return false;
    // The program's own file: the user's was kept before it replaced theirs.
    if (ClassifyUserJs(*text) != UserJsKind::Foreign)
        return true;
    for (int number = 1; number <= kMaxUserJsBackups; ++number) {
        std::string backup = userJs + kUserJsBackupSuffix;
        if (number > 1)
            backup.append(1, '.').append(std::to_string(number));
        if (ports_.files.FileExists(backup))
            continue;  // an earlier backup, perhaps the only copy of an earlier file of the user's
        if (!ports_.files.CopyIfAbsent(userJs, backup) || ports_.files.Read(backup) != text)
            return false;
        records_.SaveUserJs({userJs, backup});
        return true;
    }
    return false;
}

void FirefoxProxy::WriteFirefoxPluginFile(bool enable,
                                          std::string_view server,
                                          std::string_view nodeLabel,
                                          std::string_view bypass) {
    if (values_.TempFolder.empty())
        return;
    if (!ports_.files.Write(values_.TempFolder + kPluginFile, PluginFileText(enable, server, nodeLabel, bypass)))
        ShowCanNotChange();
}

void FirefoxProxy::DeleteFirefoxUserJs() {
    TakeBackUserJs(false);
}

void FirefoxProxy::TakeBackUserJs(bool tellRestart) {
    // The file the program wrote, wherever Firefox starts now; or, without a record, the one of
    // the profile Firefox starts with.
    const std::optional<ReplacedUserJs> replaced = records_.SavedUserJs();
    const std::string profile =
        replaced ? replaced->userJs.substr(0, replaced->userJs.find_last_of('\\') + 1) : GetFirefoxProfileFolder();
    if (profile.empty())
        return;
    const std::string userJs = profile + kUserJs;
    const bool exists = ports_.files.FileExists(userJs);
    const std::optional<std::string> text = exists ? ports_.files.Read(userJs) : std::nullopt;
    if (exists && !text) {
        ShowCanNotChange();
        return;
    }
    const std::optional<UserJsKind> kind = text ? std::optional(ClassifyUserJs(*text)) : std::nullopt;
    if (kind == UserJsKind::Foreign) {
        // The user's own file stands there again (put back by hand): the program's is gone.
        if (replaced)
            records_.ForgetUserJs();
        return;
    }
    const bool firefoxOpen = FindWindowByTitle(kFirefoxWindowTitle);
    const bool prefsHoldProxy =
        PrefsHoldProxy(ports_.files.Read(profile + kPrefsJs).value_or(""), LocalProxyServer(values_.InternalPort));
    // Firefox records what it read from user.js in prefs.js and keeps it once user.js is gone:
    // it would stay on the local proxy after its next start. The clearing form takes it back to
    // direct first; so does it when the program's file was taken away after Firefox had read it.
    if (kind == UserJsKind::OursProxyOn || (!kind && prefsHoldProxy)) {
        if (WriteClearingUserJs(userJs, replaced) && tellRestart && firefoxOpen)
            ShowRestartFirefox();
        return;
    }
    // The clearing form stays until Firefox has read it: while Firefox runs, or while its prefs.js
    // still names the local proxy.
    if (kind == UserJsKind::OursProxyOff && (firefoxOpen || prefsHoldProxy))
        return;
    if (kind || replaced)
        PutBackUsersUserJs(userJs, replaced);
}

bool FirefoxProxy::WriteClearingUserJs(const std::string& userJs, const std::optional<ReplacedUserJs>& replaced) {
    // A file the program writes where none was: it goes again without a trace.
    if (!replaced && !ports_.files.FileExists(userJs))
        records_.SaveUserJs({userJs, ""});
    if (ports_.files.Write(userJs, UserJsText(false, "", "")))
        return true;
    ShowCanNotChange();
    return false;
}

void FirefoxProxy::PutBackUsersUserJs(const std::string& userJs, const std::optional<ReplacedUserJs>& replaced) {
    const std::string first = userJs + kUserJsBackupSuffix;
    // Without a record the program's file is an earlier version's, which kept the user's own file
    // as ".first" and never put it back.
    std::string backup = replaced ? replaced->backup : first;
    if (!backup.empty() && !ports_.files.FileExists(backup))
        backup.clear();  // taken away by hand: nothing to put back
    if (backup.empty()) {
        if (ports_.files.FileExists(userJs) && !ports_.files.Remove(userJs)) {
            ShowCanNotChange();
            return;
        }
    } else {
        const std::optional<std::string> bytes = ports_.files.Read(backup);
        if (!bytes || !ports_.files.Write(userJs, *bytes) || ports_.files.Read(userJs) != bytes) {
            ShowCanNotChange();
            return;
        }
        // ".first" stays, the first file the program found; a later backup was only for this.
        if (backup != first)
            ports_.files.Remove(backup);
    }
    if (replaced)
        records_.ForgetUserJs();
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

void FirefoxProxy::ShowRestartFirefox() {
    ports_.messages.ShowMessageBox(kProductName, kRestartFirefox, MessageKind::Warning, kButtonsOK);
}

void FirefoxProxy::ShowCanNotChange() {
    ports_.messages.ShowMessageBox(kProductName, kCanNotChangeFirefox, MessageKind::Error, kButtonsOK);
}
