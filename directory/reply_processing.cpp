#include "directory/reply_processing.h"

#include <array>

#include "common/product_name.h"
#include "directory/directory_texts.h"
#include "directory/node_selection.h"
#include "directory/reply_parser.h"
#include "settings/activity_log.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "ui/messages/message_boxes.h"
#include "ui/tray/masq_status.h"

using namespace directory_text;

namespace {

// Unlike the dialog, the reply chooses by itself only when the user said so.
constexpr bool kAutoSelectByDefault = false;
constexpr int kDefaultLastCountry = 10;

struct ServiceFlag {
    const char* name;
    const char* message;
};

constexpr std::array kServiceFlags{ServiceFlag{kServiceOneName, kServiceOneNotAvailable},
                                   ServiceFlag{kServiceTwoName, kServiceTwoNotAvailable}};

}  // namespace

DirectoryReply::DirectoryReply(const ProgramValues& values,
                               SessionValues& session,
                               ReplyPorts ports,
                               ReplyCalls calls,
                               NodeSelection& selection)
    : values_(values), session_(session), ports_(ports), calls_(std::move(calls)), selection_(selection) {}

bool DirectoryReply::ProcessDirectoryReply(std::string_view text) {
    const ReplyLines reply(text);
    bool useful = false;
    for (const ServiceFlag& flag : kServiceFlags) {
        if (ValueIsOne(reply, flag.name)) {
            TellFailure(flag.message);
            useful = true;
        }
    }
    if (ValueIsOne(reply, kNewVersionName)) {
        ports_.log.Report(std::string(kNewVersionNeeded) + ProgramVersion);
        useful = true;
        if (calls_.showUpdateDialog && !calls_.showUpdateDialog(reply))
            return true;
    }

    NodeListParse parsed = ParseNodeList(reply);
    if (parsed.kind == NodeListParse::Kind::Malformed)
        ports_.log.Report(kMalformedReply + parsed.reason);
    if (parsed.kind == NodeListParse::Kind::Nodes) {
        if (values_.IsFirstRun && calls_.showTour)
            calls_.showTour();
        useful = true;
        session_.ServerPort = std::move(parsed.nodes.port);
        session_.ServerUser = std::move(parsed.nodes.user);
        session_.ServerKey = std::move(parsed.nodes.key);
        session_.Servers = std::move(parsed.nodes.servers);
        if (ports_.settings.ReadBool(kConfig, kAutoSelectCountry, kAutoSelectByDefault)) {
            selection_.SelectCountry(ports_.settings.ReadInteger(kConfig, kLastCountry, kDefaultLastCountry));
        } else {
            ports_.status.SetMasqStatus(DisplayState::Busy, kPleaseSelect, BalloonIcon::Info);
            selection_.ShowSelectIP(true);
        }
    }
    if (!useful)
        TellFailure(kNothingUseful);
    return useful;
}

// Logged, shown in a box, and the off state with the same text.
void DirectoryReply::TellFailure(const char* message) {
    ports_.log.Report(message);
    ports_.messages.ShowMessageBox(kProductName, message, MessageKind::Error, kButtonsOK);
    ports_.status.SetMasqStatus(DisplayState::Off, message, BalloonIcon::Error);
}
