// SilentUpdate: asking the maker's directory service for the node list. The primary directory
// host is asked first, then the two mirrors, then the system's own download of the first URL;
// the first reply that the maker signed and that carries both completeness markers goes on to
// ProcessDirectoryReply, without its signature line (reply_check.h). When none does, the user
// gets the unblock advice and the hide command stays disabled.
//
// The request (port 80, one URL per host, n = 0, 1, 2 the host's place in the table):
//   http://HOST/update-ng.php?id=ID&productid=1&version=1.8479&language=1033&i=n&code=0000ABCD
// ID is the machine identifier, version the program's leading version and build number, code
// the system volume's serial number (or "Error").
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/split_url.h"
#include "directory/machine_identity.h"
#include "directory/reply_check.h"
#include "settings/program_values.h"
#include "ui/advice/unblock_advice.h"

class ActivityLog;
class BrowserProxy;
class DirectoryReply;
class FallbackDownload;
class HttpText;
class MakersCrypto;
class MasqStatus;
class SettingsStore;
class StatusDisplay;
class SystemLanguage;
class Timer;

// The leading run of digits and dots: "1.84" of "1.84 beta".
std::string LeadingVersion(std::string_view version);

// What identifies this program and machine to the directory.
struct RequestValues {
    std::string id;        // GetMachineId
    std::string version;   // LeadingVersion(ProgramVersion) + BuildNumber
    std::string language;  // the system's default language id, in decimal
    std::string code;      // GetVolumeSerial of drive c
};

// The request URL of attempt `attempt` to the host whose base is "http://" + host.
std::string RequestUrl(std::string_view base, const RequestValues& values, int attempt);

// GET of `url` into `text`: true when at least one byte of body came back.
bool HttpGetText(HttpText& http, std::string_view url, std::string& text);

struct RequestPorts {
    Timer& timRead;  // the tunnel's status polling, off while the directory is asked
    ActivityLog& log;
    MasqStatus& status;
    StatusDisplay& menu;  // for the hide command Masq1
    BrowserProxy& browserProxy;
    HttpText& http;
    FallbackDownload& fallback;
    MakersCrypto& crypto;  // the maker's signature on the reply
    const SystemLanguage& language;
    const VolumeInfo& volumes;
    IdentitySources identity;
    SettingsStore& settings;  // the stored adapter choice
};

// The parts built on the directory; the composition root wires them.
struct RequestCalls {
    std::function<void(UnblockAdvice)> showUnblockAdvice;  // modal; may run SilentUpdate again
};

class DirectoryRequest {
  public:
    DirectoryRequest(const ProgramValues& values, RequestPorts ports, RequestCalls calls, DirectoryReply& reply);

    // The result of the reply processing; false when no reply was accepted.
    bool SilentUpdate();

  private:
    bool AskHosts(const RequestValues& request, std::string& reply);
    bool DownloadFallback(const std::string& url, std::string& reply);
    // The check of a received reply, with the log line when the maker did not sign it.
    ReplyCheck Check(std::string_view received);
    void Failed();

    const ProgramValues& values_;
    RequestPorts ports_;
    RequestCalls calls_;
    DirectoryReply& reply_;
};
