#include "ui/advice/unblock_advisor.h"

#include <array>

#include "platform/environment.h"
#include "settings/maker_site.h"
#include "settings/program_values.h"

namespace {

struct AdviceRow {
    UnblockAdvice kind;
    const char* message;
    bool reconnect;  // a failed directory request can be tried again; a blocked tunnel needs a restart
};
const std::array<AdviceRow, 2> kAdvice = {{
    {UnblockAdvice::DirectoryRequestFailed,
     "Silent Update failed! You should enable the following programs to access the Internet with your Firewall. "
     "Then click the RECONNECT button.",
     true},
    {UnblockAdvice::TunnelCannotReachInternet,
     "Connect to the Internet failed! You should enable the following programs to access the Internet with your "
     "Firewall. Then RESTART Masq NG.",
     false},
}};

constexpr char kProgramFile[] = "masqng.exe";
constexpr char kWardenFile[] = "warden.exe";

}  // namespace

UnblockAdviceContent AdviceContent(UnblockAdvice kind, const std::string& appFolder) {
    UnblockAdviceContent content{"", false, appFolder + kProgramFile, appFolder + kWardenFile};
    for (const AdviceRow& row : kAdvice) {
        if (row.kind == kind) {
            content.message = row.message;
            content.reconnectEnabled = row.reconnect;
        }
    }
    return content;
}

UnblockAdvisor::UnblockAdvisor(const ProgramValues& values, UnblockPorts ports, std::function<void()> reconnect)
    : values_(values), ports_(ports), reconnect_(std::move(reconnect)) {}

void UnblockAdvisor::ShowUnblockAdvice(UnblockAdvice kind) {
    UnblockForm form(AdviceContent(kind, values_.AppFolder),
                     [this] { OpenURL(ports_.registry, ports_.shell, FirewallSetupUrl(values_.Site)); });
    ports_.dialog.ShowModal(form);
    // The dialog is gone by now: the request runs again without it.
    if (form.Choice() == UnblockChoice::Reconnect && reconnect_)
        reconnect_();
}
