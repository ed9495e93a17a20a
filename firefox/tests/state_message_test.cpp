#include "firefox/host/state_message.h"

#include <gtest/gtest.h>

#include "firefox/host/json_text.h"

namespace firefox_host {
namespace {

std::string AsIs(std::string_view text) {
    return std::string(text);
}

std::string Quoted(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

TEST(StateMessage, OnNamesTheProxyTheLabelAndTheBypassList) {
    ProxyState on;
    on.standing = Standing::kOn;
    on.label = "United States - Dallas #3";
    on.host = "127.0.0.1";
    on.port = 7070;
    on.bypass = {"a.example", "b.example"};
    on.ignored_bypass = 2;
    EXPECT_EQ(StateMessage(on, AsIs),
              R"({"state":"on","label":"United States - Dallas #3","host":"127.0.0.1","port":7070,)"
              R"("bypass":["a.example","b.example"],"ignoredBypass":2})");
    on.bypass.clear();
    EXPECT_NE(StateMessage(on, AsIs).find(R"("bypass":[],)"), std::string::npos);
}

TEST(StateMessage, TheLabelGoesThroughTheDecoder) {
    ProxyState on;
    on.standing = Standing::kOn;
    on.label = "S\xE3o Paulo";
    const auto latin1 = [](std::string_view) { return std::string("S\xC3\xA3o Paulo"); };
    EXPECT_NE(StateMessage(on, latin1).find("\"label\":\"S\xC3\xA3o Paulo\""), std::string::npos);
}

TEST(StateMessage, OffSaysWhy) {
    const std::pair<Standing, const char*> cases[] = {
        {Standing::kCleared, R"({"state":"off","reason":"cleared"})"},
        {Standing::kMissing, R"({"state":"off","reason":"missing"})"},
        {Standing::kUnreadable, R"({"state":"off","reason":"unreadable"})"},
    };
    for (const auto& [standing, json] : cases) {
        ProxyState state;
        state.standing = standing;
        EXPECT_EQ(StateMessage(state, AsIs), json);
    }
    ProxyState invalid;
    invalid.standing = Standing::kInvalid;
    invalid.problem = Problem::kProxyNotLoopback;
    EXPECT_EQ(StateMessage(invalid, AsIs),
              R"({"state":"off","reason":"invalid","problem":"line 5: the proxy is not on this computer"})");
}

TEST(StateMessage, EveryProblemHasWords) {
    for (Problem problem : {Problem::kTooLarge, Problem::kNotSixLines, Problem::kUnknownFormat, Problem::kUnknownSwitch,
                            Problem::kBadLabel, Problem::kProxyNotLoopback, Problem::kBadPort})
        EXPECT_FALSE(ProblemText(problem).empty());
}

TEST(JsonText, EscapesQuotesAndControlsAndReplacesBytesThatAreNoUtf8) {
    EXPECT_EQ(Quoted(R"(say "hi" \ bye)"), R"("say \"hi\" \\ bye")");
    EXPECT_EQ(Quoted("a\x01\n\x1F"), R"("a\u0001\u000a\u001f")");
    EXPECT_EQ(Quoted("\xC3\xA3 \xE2\x82\xAC \xF0\x9F\x98\x80"), "\"\xC3\xA3 \xE2\x82\xAC \xF0\x9F\x98\x80\"");
    struct Broken {
        const char* name;
        const char* bytes;
        int replacements;  // one for each byte that cannot start a well-formed sequence
    };
    const Broken broken[] = {
        {"lone lead byte", "\xE3", 1},    {"lone continuation byte", "\x80", 1},     {"overlong", "\xC0\xAF", 2},
        {"surrogate", "\xED\xA0\x80", 3}, {"above U+10FFFF", "\xF4\x90\x80\x80", 4}, {"cut short", "\xE2\x82", 2},
    };
    for (const Broken& b : broken) {
        std::string expected = "\"";
        for (int i = 0; i < b.replacements; ++i)
            expected += "\xEF\xBF\xBD";
        EXPECT_EQ(Quoted(b.bytes), expected + "\"") << b.name;
    }
}

}  // namespace
}  // namespace firefox_host
