#include "directory/node_selection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/random_pick.h"
#include "tests/fakes/fake_random_pick.h"
#include "tests/fakes/fake_select_ip_dialogs.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_status_display.h"
#include "tests/fakes/recording_log.h"
#include "ui/tray/masq_status.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

namespace {

TServer Node(int number, int country) {
    return {"#" + std::to_string(number) + " Masq Node", "10.0.0." + std::to_string(number), country, number, false};
}

std::vector<TServer> Nodes(std::initializer_list<int> countries) {
    std::vector<TServer> nodes;
    for (int country : countries)
        nodes.push_back(Node(int(nodes.size()) + 1, country));
    return nodes;
}

std::vector<std::string> RowTexts(const std::vector<SelectIpRow>& rows) {
    std::vector<std::string> texts;
    for (const SelectIpRow& row : rows)
        texts.push_back(row.text);
    return texts;
}

class NodeSelectionTest : public testing::Test {
  protected:
    NodeSelectionTest() {
        selection.emplace(session, SelectionPorts{log, status, settings, random, dialogs},
                          TunnelLaunch{[this] { calls.push_back("Sweep"); },
                                       [this](const TServer& node) { calls.push_back("Masq " + node.Host); }});
    }
    // The user presses OK with `row` selected and the box as given.
    void PressOkOn(std::optional<int> row, bool always = true) {
        dialogs.user = [this, row, always](SelectIpForm& form) { closed = form.btnOKClick(row, always); };
    }

    SessionValues session;
    RecordingLog log;
    FakeStatusDisplay display;
    MasqStatus status{display};
    FakeSettingsStore settings;
    FakeRandomPick random;
    FakeSelectIpDialogs dialogs;
    std::vector<std::string> calls;
    std::optional<NodeSelection> selection;
    bool closed = false;
};

TEST(SelectionRows, PutAHeaderBeforeEveryRunOfALocation) {
    const std::vector<SelectIpRow> rows = SelectionRows(Nodes({10, 10, 11, 10}));
    EXPECT_THAT(RowTexts(rows),
                ElementsAre("United States", "  #1 Masq Node", "  #2 Masq Node", "United States - Houston",
                            "  #3 Masq Node", "United States", "  #4 Masq Node"));
    EXPECT_EQ(rows[0].server, (TServer{"", "", 10, 0, true}));
    EXPECT_EQ(rows[4].server, Node(3, 11));
    EXPECT_THAT(SelectionRows({}), IsEmpty());
}

TEST_F(NodeSelectionTest, SelectCountryPicksInTheFirstRunOfTheLocationAndLaunches) {
    session.Servers = Nodes({11, 10, 10, 11, 10});
    random.choice = 2;
    EXPECT_TRUE(selection->SelectCountry(10));
    EXPECT_THAT(random.ranges, ElementsAre(Pair(1, 2)));
    EXPECT_EQ(session.CurrentServer, Node(3, 10));
    EXPECT_THAT(calls, ElementsAre("Sweep", "Masq 10.0.0.3"));
    EXPECT_THAT(log.texts, ElementsAre("Select IP: United States #3"));
    EXPECT_THAT(settings.Writes(), 0);  // an automatic choice writes nothing

    // Only the first node of 10, 11, 10 is a candidate for 10.
    session.Servers = Nodes({10, 11, 10});
    random.ranges.clear();
    selection->SelectCountry(10);
    EXPECT_THAT(random.ranges, ElementsAre(Pair(0, 0)));
}

TEST_F(NodeSelectionTest, SelectCountryLogsOnlyTheFirstTwoCharactersOfTheCaption) {
    session.Servers = Nodes({10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10});
    random.choice = 11;
    selection->SelectCountry(10);
    EXPECT_THAT(log.texts, ElementsAre("Select IP: United States #1"));
    EXPECT_EQ(session.CurrentServer->Number, 12);
}

TEST_F(NodeSelectionTest, SelectCountryWithoutANodeOfTheLocationOpensTheForcedDialog) {
    session.Servers = Nodes({10, 11});
    EXPECT_FALSE(selection->SelectCountry(40));
    EXPECT_EQ(display.look.tip, "Please Select an IP Address");
    ASSERT_EQ(dialogs.openings.size(), 1u);
    EXPECT_FALSE(dialogs.openings[0].cancelEnabled);
    EXPECT_THAT(calls, IsEmpty());
}

TEST_F(NodeSelectionTest, OkOnAHeaderStoresTheLocationAndLaunchesARandomNodeOfIt) {
    session.Servers = Nodes({10, 10, 11});
    random.choice = 1;
    PressOkOn(0, false);
    selection->SelectIP1Click();
    EXPECT_TRUE(closed);
    EXPECT_EQ(settings.Raw("Config", "LastCountry"), "10");
    EXPECT_EQ(settings.Raw("Config", "AutoSelectCountry"), "0");
    EXPECT_THAT(random.ranges, ElementsAre(Pair(0, 1)));
    EXPECT_THAT(calls, ElementsAre("Sweep", "Masq 10.0.0.2"));
    EXPECT_THAT(log.texts, ElementsAre("Select IP: United States #2"));
}

TEST_F(NodeSelectionTest, OkOnANodeRowLaunchesThatNodeAndTheNextOpeningSelectsItsRow) {
    session.Servers = Nodes({10, 10, 11});
    PressOkOn(4);
    selection->ShowSelectIP(true);
    EXPECT_TRUE(closed);
    EXPECT_EQ(session.CurrentServer, Node(3, 11));
    EXPECT_THAT(calls, ElementsAre("Sweep", "Masq 10.0.0.3"));
    EXPECT_THAT(log.texts, ElementsAre("Select IP: United States - Houston #3 Masq Node"));
    EXPECT_EQ(settings.Raw("Config", "LastCountry"), "11");
    EXPECT_EQ(settings.Raw("Config", "AutoSelectCountry"), "1");

    dialogs.user = nullptr;
    selection->ShowSelectIP(false);
    ASSERT_EQ(dialogs.openings.size(), 2u);
    EXPECT_EQ(dialogs.openings[0].selectedRow, 0);
    EXPECT_EQ(dialogs.openings[1].selectedRow, 4);
    EXPECT_TRUE(dialogs.openings[1].cancelEnabled);
}

TEST_F(NodeSelectionTest, OkWithoutARowStoresTheBoxOnlyAndCancelStoresNothing) {
    session.Servers = Nodes({10});
    PressOkOn(std::nullopt, false);
    selection->ShowSelectIP(false);
    EXPECT_FALSE(closed);
    EXPECT_EQ(settings.Raw("Config", "AutoSelectCountry"), "0");
    EXPECT_EQ(settings.Writes(), 1);

    dialogs.user = nullptr;  // closed at once, as Cancel does
    selection->ShowSelectIP(false);
    EXPECT_EQ(settings.Writes(), 1);
    EXPECT_THAT(calls, IsEmpty());
}

TEST_F(NodeSelectionTest, TheBoxShowsTheStoredChoiceCheckedWhenNeverStored) {
    session.Servers = Nodes({10});
    selection->ShowSelectIP(false);
    settings.Seed("Config", "AutoSelectCountry", "0");
    selection->ShowSelectIP(false);
    ASSERT_EQ(dialogs.openings.size(), 2u);
    EXPECT_TRUE(dialogs.openings[0].checked);
    EXPECT_FALSE(dialogs.openings[1].checked);
}

TEST_F(NodeSelectionTest, NoDialogWithoutNodesAndNoSelectionBeyondTheList) {
    selection->ShowSelectIP(true);
    EXPECT_THAT(dialogs.openings, IsEmpty());

    session.Servers = Nodes({10, 10, 10});
    PressOkOn(3);
    selection->ShowSelectIP(false);
    session.Servers = Nodes({10});
    selection->ShowSelectIP(false);
    EXPECT_EQ(dialogs.openings.back().selectedRow, std::nullopt);
}

TEST(ClockSeededPick, PicksInsideTheRange) {
    ClockSeededPick pick;
    for (int i = 0; i < 200; ++i) {
        const int value = pick.Pick(3, 5);
        EXPECT_GE(value, 3);
        EXPECT_LE(value, 5);
    }
    EXPECT_EQ(pick.Pick(7, 7), 7);
}

}  // namespace
