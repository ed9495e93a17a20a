#include "directory/directory_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/md5.h"
#include "directory/node_selection.h"
#include "directory/reply_processing.h"
#include "tests/fakes/fake_fallback_download.h"
#include "tests/fakes/fake_http_text.h"
#include "tests/fakes/fake_identity_sources.h"
#include "tests/fakes/fake_makers_crypto.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_random_pick.h"
#include "tests/fakes/fake_select_ip_dialogs.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_status_display.h"
#include "tests/fakes/fake_system_language.h"
#include "tests/fakes/fake_timer.h"
#include "tests/fakes/recording_browser_proxy.h"
#include "tests/fakes/recording_log.h"
#include "tests/unit/directory/reply_text.h"
#include "ui/tray/masq_status.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

namespace {

constexpr char kQuery[] = "?id=000001100211031204130514&productid=1&version=1.8479&language=1031";

class DirectoryRequestTest : public testing::Test {
  protected:
    DirectoryRequestTest() {
        values.TempFolder = "C:\\Users\\me\\Temp\\";
        values.Site.directoryHost = "dir.example";
        values.Site.mirror1Host = "10.1.1.1";
        values.Site.mirror2Host = "10.2.2.2";
        interfaces.rows = {{kEthernetType, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}};
        adapters.netbios = NetbiosScan{1, {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}};
        volumes.serial = 0xABCD;
        language.id = 1031;
        timRead.Start(1000ms);
        settings.Seed("Config", "AutoSelectCountry", "1");
        calls.showUnblockAdvice = [this](UnblockAdvice kind) {
            advice.push_back(kind);
            if (whileAdvising)
                whileAdvising();
        };
    }
    bool SilentUpdate() {
        DirectoryRequest request(values,
                                 RequestPorts{timRead, log, status, display, proxy, http, fallback, crypto, language,
                                              volumes, IdentitySources{interfaces, adapters}, settings},
                                 calls, reply);
        return request.SilentUpdate();
    }
    static std::string Url(const std::string& host, int attempt) {
        return host + "/update-ng.php" + kQuery + "&i=" + std::to_string(attempt) + "&code=0000ABCD";
    }

    ProgramValues values;
    SessionValues session;
    FakeTimer timRead;
    RecordingLog log;
    FakeStatusDisplay display;
    MasqStatus status{display};
    RecordingBrowserProxy proxy;
    FakeHttpText http;
    FakeFallbackDownload fallback;
    FakeMakersCrypto crypto;
    FakeSystemLanguage language;
    FakeVolumeInfo volumes;
    FakeInterfaceTable interfaces;
    FakeAdapterSources adapters;
    FakeSettingsStore settings;
    FakeMessageBoxes messages;
    FakeRandomPick random;
    FakeSelectIpDialogs dialogs;
    std::vector<std::string> launches;
    NodeSelection selection{session, SelectionPorts{log, status, settings, random, dialogs},
                            TunnelLaunch{[] {}, [this](const TServer& node) { launches.push_back(node.Host); }}};
    DirectoryReply reply{values, session, ReplyPorts{log, messages, status, settings}, ReplyCalls{}, selection};
    RequestCalls calls;
    std::vector<UnblockAdvice> advice;
    std::function<void()> whileAdvising;
    const std::string good = Signed(ReplyText{}.Node("10", "192.0.2.5-7").Text());
};

TEST_F(DirectoryRequestTest, AGoodPrimaryReplyIsTakenAfterTheStepsInTheirOrder) {
    http.bodies["dir.example"] = good;
    std::size_t logLinesAtProxy = 0;
    http.whileAsking = [&](const TextRequest&) {
        logLinesAtProxy = log.texts.size();
        EXPECT_THAT(proxy.calls, ElementsAre("off"));  // cleared before any request
        EXPECT_FALSE(timRead.enabled);
    };
    EXPECT_TRUE(SilentUpdate());
    EXPECT_THAT(log.texts, ElementsAre("Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                       "SilentUpdate-0 OK", "UpdateVerify-0 OK", "Select IP: United States #1"));
    EXPECT_EQ(logLinesAtProxy, 4u);
    EXPECT_THAT(http.Urls(), ElementsAre(Url("dir.example", 0)));
    EXPECT_THAT(display.BalloonTexts(), ElementsAre("SilentUpdate. Please wait..."));
    EXPECT_THAT(launches, ElementsAre("192.0.2.5"));
    EXPECT_THAT(fallback.calls, IsEmpty());
    EXPECT_EQ(settings.Raw("Config", "Pass"), StrMD5Hex("00-1A-2B-3C-4D-5E"));

    const TextRequest& sent = http.requests[0];
    EXPECT_EQ(sent.agent, "Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)");
    EXPECT_GT(sent.waitLimit, 0ms);
    EXPECT_LE(sent.waitLimit, 10s);  // a silent host costs seconds
    EXPECT_GE(sent.timeLimit, sent.waitLimit);
    EXPECT_GT(sent.maxBytes, good.size());
}

TEST_F(DirectoryRequestTest, AReplyWithoutItsEndMarkerSendsTheRequestToTheFirstMirror) {
    http.bodies["dir.example"] = Signed("B=1\r\nC=1\r\n");
    http.bodies["10.1.1.1"] = good;
    http.bodies["10.2.2.2"] = good;
    EXPECT_TRUE(SilentUpdate());
    EXPECT_THAT(http.Urls(), ElementsAre(Url("dir.example", 0), Url("10.1.1.1", 1)));
    EXPECT_THAT(log.texts, ElementsAre("Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                       "SilentUpdate-0 OK", "UpdateVerify-0 Failed", "SilentUpdate-1 ...",
                                       "SilentUpdate-1 OK", "UpdateVerify-1 OK", "Select IP: United States #1"));
    EXPECT_THAT(display.BalloonTexts(), ElementsAre("SilentUpdate. Please wait...", "Try SilentUpdate-1 ..."));
}

TEST_F(DirectoryRequestTest, TheSecondMirrorsReplyIsHandedOnAlone) {
    http.bodies["dir.example"] = std::nullopt;
    http.bodies["10.1.1.1"] = Signed("B=1\r\nC=1\r\n1=10=#=#=#<\r\n");  // a node, but no end marker
    http.bodies["10.2.2.2"] = Signed(ReplyText{}.Node("11", "10.0.0.9").Text());
    EXPECT_TRUE(SilentUpdate());
    EXPECT_THAT(http.Urls(), ElementsAre(Url("dir.example", 0), Url("10.1.1.1", 1), Url("10.2.2.2", 2)));
    ASSERT_EQ(session.ServerCount(), 1);
    EXPECT_EQ(session.Servers[0].Host, "10.0.0.9");
    EXPECT_THAT(display.BalloonTexts(), ElementsAre("SilentUpdate. Please wait...", "Try SilentUpdate-1 ...",
                                                    "Try SilentUpdate-2 ...", "Please Select an IP Address"));
}

// The system's download is checked on the bytes it brought: LF line ends as served here.
TEST_F(DirectoryRequestTest, WhenEveryHostFailsTheFallbackDownloadOfTheFirstUrlIsVerified) {
    const std::string served = "B=1\nC=1\nP=<=5=\nU=x~h\x7f\nK=fht\n1=10<4?#=#?#8 :\nE=1\n";
    fallback.text = served + SignatureLineOf(served, "");
    EXPECT_TRUE(SilentUpdate());
    ASSERT_EQ(fallback.calls.size(), 1u);
    EXPECT_EQ(fallback.calls[0].url, "http://" + Url("dir.example", 0));
    EXPECT_EQ(fallback.calls[0].path, "C:\\Users\\me\\Temp\\flxdxa.temp");
    EXPECT_LE(fallback.calls[0].timeLimit, 30s);
    EXPECT_EQ(session.ServerCount(), 3);
    EXPECT_EQ(session.ServerPort, "1080");
    EXPECT_THAT(
        std::vector<std::string>(log.texts.begin() + 3, log.texts.end() - 1),
        ElementsAre("SilentUpdate-0 ...", "SilentUpdate-0 Failed", "SilentUpdate-1 ...", "SilentUpdate-1 Failed",
                    "SilentUpdate-2 ...", "SilentUpdate-2 Failed", "BakUpdate OK", "BakUpdateVerify OK"));
}

TEST_F(DirectoryRequestTest, WithoutAnyReplyTheUserIsAdvisedAndTheHideCommandStaysOff) {
    display.enabled[TrayMenuItem::Masq1] = true;
    whileAdvising = [this] { EXPECT_EQ(display.look.tip, "Try SilentUpdate-2 ..."); };  // still busy
    EXPECT_FALSE(SilentUpdate());
    EXPECT_THAT(std::vector<std::string>(log.texts.begin() + 3, log.texts.end()),
                ElementsAre("SilentUpdate-0 ...", "SilentUpdate-0 Failed", "SilentUpdate-1 ...",
                            "SilentUpdate-1 Failed", "SilentUpdate-2 ...", "SilentUpdate-2 Failed", "Bakupdate Failed",
                            "SilentUpdate Failed!", "Please unblock Masq NG"));
    EXPECT_THAT(advice, ElementsAre(UnblockAdvice::DirectoryRequestFailed));
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_EQ(display.balloons.back().text, "SilentUpdate Failed!");
    EXPECT_EQ(display.balloons.back().icon, BalloonIcon::Error);
    EXPECT_FALSE(display.enabled[TrayMenuItem::Masq1]);
    EXPECT_FALSE(display.enabled[TrayMenuItem::StopMasq1]);
}

TEST_F(DirectoryRequestTest, AFallbackWithoutMarkersOrSignatureFailsToo) {
    fallback.text = Signed("<html>blocked</html>\r\n");
    EXPECT_FALSE(SilentUpdate());
    EXPECT_THAT(
        std::vector<std::string>(log.texts.end() - 4, log.texts.end()),
        ElementsAre("BakUpdate OK", "BakUpdateVerify Failed", "SilentUpdate Failed!", "Please unblock Masq NG"));

    fallback.text = ReplyText{}.Node("10", "192.0.2.5").Text();  // complete, but nobody signed it
    log.texts.clear();
    EXPECT_FALSE(SilentUpdate());
    EXPECT_THAT(std::vector<std::string>(log.texts.end() - 5, log.texts.end()),
                ElementsAre("BakUpdate OK", "Directory reply not signed by the maker", "BakUpdateVerify Failed",
                            "SilentUpdate Failed!", "Please unblock Masq NG"));
    EXPECT_THAT(launches, IsEmpty());
}

// What may come in place of the maker's reply from a host or anyone on the path. Each carries
// every flag and a node of its own; nothing of it is acted on, and the first mirror is asked.
struct BadReply {
    const char* name;
    std::string reply;
};

std::vector<BadReply> BadReplies() {
    const std::string flags = "NewVersion=1\r\nServiceNotAvailable-1=1\r\nServiceNotAvailable-2=1\r\n";
    const std::string honest = ReplyText{.extra = flags}.Node("10", "198.51.100.7").Text();
    const std::string forged = ReplyText{.extra = flags}.Node("10", "203.0.113.66").Text();
    const std::string signature = FakeMakersCrypto::Sign(honest);
    std::string changed = Signed(honest);
    changed[honest.size() / 2] ^= 0x01;
    return {
        {"AByteChangedBeforeTheSignature", changed},
        {"ASignatureCopiedFromAnotherReply", forged + SignatureLineOf(honest)},
        {"NoSignatureLine", forged},
        {"ASignatureLineThatIsNotTheLast", Signed(honest) + "1=10" + ScrambleText("203.0.113.66", kScrambleKey)},
        {"Base64Garbage", honest + "Signature=%%%%garbage%%%%\r\n"},
        {"ASignatureOfTheWrongLength", honest + "Signature=" + Base64Of(signature + signature) + "\r\n"},
        {"ASignatureLineOfAMegabyte", honest + "Signature=" + std::string(1 << 20, 'Q') + "\r\n"},
        {"CutInsideItsSignature", Signed(honest).substr(0, honest.size() + 30)},
    };
}

class BadReplyTest : public DirectoryRequestTest, public testing::WithParamInterface<BadReply> {};

TEST_P(BadReplyTest, IsRefusedWithItsReasonAndTheFirstMirrorIsAsked) {
    http.bodies["dir.example"] = GetParam().reply;
    http.bodies["10.1.1.1"] = good;
    EXPECT_TRUE(SilentUpdate());
    EXPECT_THAT(std::vector<std::string>(log.texts.begin() + 3, log.texts.end()),
                ElementsAre("SilentUpdate-0 ...", "SilentUpdate-0 OK", "Directory reply not signed by the maker",
                            "UpdateVerify-0 Failed", "SilentUpdate-1 ...", "SilentUpdate-1 OK", "UpdateVerify-1 OK",
                            "Select IP: United States #1"));
    EXPECT_THAT(launches, ElementsAre("192.0.2.5"));
    EXPECT_EQ(session.ServerCount(), 3);
    EXPECT_THAT(messages.shown, IsEmpty());  // no service flag shown
}

INSTANTIATE_TEST_SUITE_P(DirectoryRequest,
                         BadReplyTest,
                         testing::ValuesIn(BadReplies()),
                         [](const testing::TestParamInfo<BadReply>& info) { return std::string(info.param.name); });

TEST_F(DirectoryRequestTest, WhenNoHostSignsThereIsNoNodeAndTheUserIsAdvised) {
    const std::string forged = ReplyText{}.Node("10", "203.0.113.66").Text();
    for (const char* host : {"dir.example", "10.1.1.1", "10.2.2.2"})
        http.bodies[host] = forged;
    fallback.text = forged;
    EXPECT_FALSE(SilentUpdate());
    EXPECT_THAT(std::vector<std::string>(log.texts.begin() + 3, log.texts.end()),
                ElementsAre("SilentUpdate-0 ...", "SilentUpdate-0 OK", "Directory reply not signed by the maker",
                            "UpdateVerify-0 Failed", "SilentUpdate-1 ...", "SilentUpdate-1 OK",
                            "Directory reply not signed by the maker", "UpdateVerify-1 Failed", "SilentUpdate-2 ...",
                            "SilentUpdate-2 OK", "Directory reply not signed by the maker", "UpdateVerify-2 Failed",
                            "BakUpdate OK", "Directory reply not signed by the maker", "BakUpdateVerify Failed",
                            "SilentUpdate Failed!", "Please unblock Masq NG"));
    EXPECT_THAT(advice, ElementsAre(UnblockAdvice::DirectoryRequestFailed));
    EXPECT_THAT(launches, IsEmpty());
    EXPECT_EQ(session.ServerCount(), 0);
}

// The advice's reconnect runs the request again inside the failed one: whatever the inner run
// did, the outer run ends in the off state with the hide command disabled.
TEST_F(DirectoryRequestTest, AReconnectFromTheAdviceRunsTheWholeRequestInside) {
    whileAdvising = [this] {
        whileAdvising = nullptr;
        http.bodies["dir.example"] = good;
        EXPECT_TRUE(SilentUpdate());
    };
    EXPECT_FALSE(SilentUpdate());
    EXPECT_THAT(launches, ElementsAre("192.0.2.5"));
    EXPECT_EQ(display.look.tip, "Masq OFF");
    EXPECT_FALSE(display.enabled[TrayMenuItem::Masq1]);
}

TEST_F(DirectoryRequestTest, TheQueryCarriesTheFallbackIdentifierAndErrorWhenTheMachineHasNeither) {
    interfaces.rows.clear();
    volumes.serial.reset();
    http.bodies["dir.example"] = good;
    SilentUpdate();
    EXPECT_THAT(http.Urls(), ElementsAre("dir.example/update-ng.php?id=999999999999999999999999&productid=1&"
                                         "version=1.8479&language=1031&i=0&code=Error"));
}

TEST(DirectoryRequestPieces, VersionsAndUrls) {
    EXPECT_EQ(LeadingVersion("1.84"), "1.84");
    EXPECT_EQ(LeadingVersion("2.0b3"), "2.0");
    EXPECT_EQ(RequestUrl("http://h", {"12", "1.8479", "1033", "Error"}, 2),
              "http://h/update-ng.php?id=12&productid=1&version=1.8479&language=1033&i=2&code=Error");
}

TEST(DirectoryRequestPieces, HttpGetTextIsTrueForABodyOfAtLeastOneByte) {
    FakeHttpText http;
    std::string text = "old";
    http.bodies["h"] = "";
    EXPECT_FALSE(HttpGetText(http, "http://h/x", text));
    EXPECT_EQ(text, "");
    http.bodies["h"] = "x";
    EXPECT_TRUE(HttpGetText(http, "http://h/x", text));
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(HttpGetText(http, "http://nopath", text));
    EXPECT_EQ(http.requests.size(), 2u);  // no request without a host
}

}  // namespace
