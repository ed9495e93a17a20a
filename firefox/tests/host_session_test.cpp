#include "firefox/host/host_session.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace firefox_host {
namespace {

const std::string kOn = "1\r\n-1\r\nUnited States - Dallas #3\r\na.example,\r\n127.0.0.1\r\n7070\r\n";
const std::string kOff = "1\r\n0\r\n\r\n\r\n\r\n\r\n";
const char* const kOnMessage = R"({"state":"on","label":"United States - Dallas #3","host":"127.0.0.1","port":7070,)"
                               R"("bypass":["a.example"],"ignoredBypass":0})";
const char* const kOffMessage = R"({"state":"off","reason":"cleared"})";
const char* const kMissingMessage = R"({"state":"off","reason":"missing"})";

class FakeFile : public StateFileSource {
  public:
    FileSnapshot Read() override { return snapshot; }
    void Write(std::string content) { snapshot = {FileSnapshot::Kind::kContent, std::move(content)}; }
    FileSnapshot snapshot;  // missing at first
};

class RecordingAddon : public MessageSink {
  public:
    bool Send(std::string_view json) override {
        sent.emplace_back(json);
        return reachable;
    }
    std::vector<std::string> sent;
    bool reachable = true;
};

std::string AsIs(std::string_view text) {
    return std::string(text);
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

class HostSessionTest : public testing::Test {
  protected:
    // Ticks `count` times; every tick must let the host go on.
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(session.Tick());
    }

    FakeFile file;
    RecordingAddon addon;
    HostSession session{file, addon, AsIs};
};

TEST_F(HostSessionTest, TellsAStateOnceTwoReadsAgreeAndOnlyOnce) {
    Ticks(1);
    EXPECT_TRUE(addon.sent.empty());
    Ticks(1);
    EXPECT_EQ(addon.sent, std::vector<std::string>{kMissingMessage});

    file.Write(kOn);
    Ticks(1);
    EXPECT_EQ(addon.sent.size(), 1u);
    Ticks(5);
    EXPECT_EQ(addon.sent, (std::vector<std::string>{kMissingMessage, kOnMessage}));

    file.Write(kOff);
    Ticks(2);
    file.Write("1\n0\n\n\n\n\n");  // the same state in other line ends: nothing new to tell
    Ticks(2);
    EXPECT_EQ(addon.sent, (std::vector<std::string>{kMissingMessage, kOnMessage, kOffMessage}));
}

TEST_F(HostSessionTest, AFileCaughtHalfWrittenIsNeverTold) {
    file.Write(kOn);
    Ticks(2);
    for (int i = 0; i < 4; ++i) {  // the program rewrites the file; one read sees it cut
        file.Write(kOn.substr(0, 9));
        Ticks(1);
        file.Write(kOn);
        Ticks(1);
    }
    EXPECT_EQ(addon.sent, std::vector<std::string>{kOnMessage});
}

TEST_F(HostSessionTest, UnreadableAndInvalidFilesAreToldAsDirect) {
    file.snapshot = {FileSnapshot::Kind::kUnreadable};
    Ticks(2);
    file.Write("1\r\n-1\r\nlabel\r\n\r\n192.0.2.1\r\n7070\r\n");
    Ticks(2);
    EXPECT_EQ(addon.sent,
              (std::vector<std::string>{
                  R"({"state":"off","reason":"unreadable"})",
                  R"({"state":"off","reason":"invalid","problem":"line 5: the proxy is not on this computer"})",
              }));
}

TEST_F(HostSessionTest, AnswersAStateRequestAtOnceWithTheFileAsItIsNow) {
    file.Write(kOn);
    ASSERT_TRUE(session.Receive(Bytes(Frame("\"state\""))));
    EXPECT_EQ(addon.sent, std::vector<std::string>{kOnMessage});
    Ticks(3);  // already told: the ticks that agree tell nothing new
    ASSERT_TRUE(session.Receive(Bytes(Frame("\"state\"") + Frame("\"state\""))));
    EXPECT_EQ(addon.sent, (std::vector<std::string>{kOnMessage, kOnMessage, kOnMessage}));
}

TEST_F(HostSessionTest, UnknownRequestsGetAnErrorAndAnOversizedOneEndsTheHost) {
    ASSERT_TRUE(session.Receive(Bytes(Frame("{\"set\":\"on\"}"))));
    EXPECT_EQ(addon.sent, std::vector<std::string>{R"({"error":"unknown request"})"});
    EXPECT_FALSE(session.Receive(Bytes(Frame(std::string(kMaxRequestSize + 1, ' ')))));
}

TEST_F(HostSessionTest, StopsWhenTheAddonCannotBeReached) {
    addon.reachable = false;
    EXPECT_TRUE(session.Tick());
    EXPECT_FALSE(session.Tick());
    EXPECT_FALSE(session.Receive(Bytes(Frame("\"state\""))));
}

}  // namespace
}  // namespace firefox_host
