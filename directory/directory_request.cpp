#include "directory/directory_request.h"

#include <array>
#include <chrono>

#include "common/text_lines.h"
#include "directory/directory_texts.h"
#include "directory/fallback_download.h"
#include "directory/http_text.h"
#include "directory/reply_processing.h"
#include "directory/system_language.h"
#include "platform/timer.h"
#include "proxy/browser_proxy.h"
#include "settings/activity_log.h"
#include "ui/tray/masq_status.h"
#include "ui/tray/status_display.h"

using namespace directory_text;
using namespace std::chrono_literals;

namespace {

constexpr std::string_view kScheme = "http://";
constexpr int kAttempts = 3;  // the primary host and the two mirrors

// A reply is a few kilobytes; these bound what a host that misbehaves can cost.
constexpr std::size_t kMaxReplyBytes = 256 * 1024;
constexpr auto kWaitLimit = 5s;
constexpr auto kRequestTimeLimit = 15s;
constexpr auto kFallbackTimeLimit = 15s;

// A host's base URL: no port (80) and no trailing slash.
std::string BaseOf(const std::string& host) {
    return std::string(kScheme) + host;
}

std::string AttemptText(const char* prefix, int attempt, const char* suffix) {
    return prefix + std::to_string(attempt) + suffix;
}

}  // namespace

std::string LeadingVersion(std::string_view version) {
    const std::size_t end = version.find_first_not_of("0123456789.");
    return std::string(version.substr(0, end));
}

std::string RequestUrl(std::string_view base, const RequestValues& values, int attempt) {
    return std::string(base) + kRequestPath + "?id=" + values.id + "&productid=" + std::to_string(ProductId) +
           "&version=" + values.version + "&language=" + values.language + "&i=" + std::to_string(attempt) +
           "&code=" + values.code;
}

bool HttpGetText(HttpText& http, std::string_view url, std::string& text) {
    const UrlParts parts = SplitUrl(url);
    if (parts.host.empty())
        return false;
    std::optional<std::string> body =
        http.GetText({parts.host, parts.path, kAgent, kWaitLimit, kRequestTimeLimit, kMaxReplyBytes});
    text = body.value_or("");
    return !text.empty();
}

DirectoryRequest::DirectoryRequest(const ProgramValues& values,
                                   RequestPorts ports,
                                   RequestCalls calls,
                                   DirectoryReply& reply)
    : values_(values), ports_(ports), calls_(std::move(calls)), reply_(reply) {}

bool DirectoryRequest::SilentUpdate() {
    RequestValues request;
    request.version = LeadingVersion(ProgramVersion) + BuildNumber;
    ports_.timRead.Stop();
    request.language = std::to_string(ports_.language.DefaultLanguageId());
    ports_.log.Report(kInitSettings);
    request.id = GetMachineId(ports_.identity, ports_.settings);
    ports_.log.Report(kDone);
    request.code = GetVolumeSerial(ports_.volumes, 'c');
    ports_.log.Report(kSilentUpdate);
    ports_.status.SetMasqStatus(DisplayState::Busy, kPleaseWait, BalloonIcon::Info);
    // Cleared before any request, so that the requests never go through a tunnel that is gone.
    ports_.browserProxy.ClearBrowserProxy();

    std::string reply;
    if (!AskHosts(request, reply) &&
        !DownloadFallback(RequestUrl(BaseOf(values_.Site.directoryHost), request, 0), reply)) {
        Failed();
        return false;
    }
    return reply_.ProcessDirectoryReply(reply);
}

bool DirectoryRequest::AskHosts(const RequestValues& request, std::string& reply) {
    const std::array<const std::string*, kAttempts> hosts{&values_.Site.directoryHost, &values_.Site.mirror1Host,
                                                          &values_.Site.mirror2Host};
    for (int n = 0; n < kAttempts; ++n) {
        if (n > 0)
            ports_.status.SetMasqStatus(DisplayState::Busy, AttemptText(kTryPrefix, n, kEllipsisSuffix),
                                        BalloonIcon::Info);
        ports_.log.Report(AttemptText(kAttemptPrefix, n, kEllipsisSuffix));
        reply.clear();
        if (!HttpGetText(ports_.http, RequestUrl(BaseOf(*hosts[n]), request, n), reply)) {
            ports_.log.Report(AttemptText(kAttemptPrefix, n, kFailedSuffix));
            continue;
        }
        ports_.log.Report(AttemptText(kAttemptPrefix, n, kOkSuffix));
        if (const ReplyCheck check = Check(reply); check.Accepted()) {
            ports_.log.Report(AttemptText(kVerifyPrefix, n, kOkSuffix));
            reply = std::string(check.signedText);
            return true;
        }
        ports_.log.Report(AttemptText(kVerifyPrefix, n, kFailedSuffix));
    }
    return false;
}

bool DirectoryRequest::DownloadFallback(const std::string& url, std::string& reply) {
    std::optional<std::string> text =
        ports_.fallback.DownloadText(url, values_.TempFolder + kFallbackFileName, kFallbackTimeLimit, kMaxReplyBytes);
    if (!text) {
        ports_.log.Report(kFallbackFailed);
        return false;
    }
    ports_.log.Report(kFallbackOk);
    // The signature covers the bytes as they were served, so they are checked before the lines
    // are joined again.
    const ReplyCheck check = Check(*text);
    if (!check.Accepted()) {
        ports_.log.Report(kFallbackVerifyFailed);
        return false;
    }
    ports_.log.Report(kFallbackVerifyOk);
    reply.clear();
    for (const std::string& line : SplitLines(check.signedText))
        reply += line + "\r\n";
    return true;
}

ReplyCheck DirectoryRequest::Check(std::string_view received) {
    ReplyCheck check = CheckReply(received, ports_.crypto);
    if (!check.signedByMaker)
        ports_.log.Report(kNotSignedByMaker);
    return check;
}

void DirectoryRequest::Failed() {
    ports_.log.Report(kRequestFailed);
    ports_.log.Report(kPleaseUnblock);
    if (calls_.showUnblockAdvice)
        calls_.showUnblockAdvice(UnblockAdvice::DirectoryRequestFailed);
    ports_.status.SetMasqStatus(DisplayState::Off, kRequestFailed, BalloonIcon::Error);
    // The off state has just enabled it: without a node there is nothing to hide behind.
    ports_.menu.SetMenuItemEnabled(TrayMenuItem::Masq1, false);
}
