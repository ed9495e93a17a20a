#include "warden/process/command_line.h"

#include <gtest/gtest.h>

namespace warden {
namespace {

std::variant<Options, CommandLineError> ParseLine(std::string_view line) {
    return ParseCommandLine(SplitAtBlanks(line));
}

TEST(CommandLine, ReadsTheLineAsTheTrayProgramBuildsIt) {
    struct Case {
        std::string_view line;
        Options expected;
    };
    const Case cases[] = {
        {R"(C:\Masq\warden -name u1 -key k1 -do -H 7070 -masq -port 443 -say 1.2.3.4)",
         {"u1", "k1", 7070, 443, "1.2.3.4"}},
        // Unquoted program folder with blanks: its pieces come before the first option word.
        {R"(C:\Program Files\Masq NG\warden -name u1 -key k1 -do -H 7070 -masq -port 443 -say 1.2.3.4)",
         {"u1", "k1", 7070, 443, "1.2.3.4"}},
        // Wine quotes the path again.
        {R"("C:\some folder\warden" -name u1 -key k1 -do -H 7070 -masq -port 443 -say 1.2.3.4)",
         {"u1", "k1", 7070, 443, "1.2.3.4"}},
        // An empty user or key leaves two blanks in a row.
        {R"(C:\Masq\warden -name  -key k1 -do -H 7070 -masq -port 443 -say 1.2.3.4)", {"", "k1", 7070, 443, "1.2.3.4"}},
        {R"(C:\Masq\warden -name u1 -key  -do -H 7070 -masq -port 443 -say 1.2.3.4)", {"u1", "", 7070, 443, "1.2.3.4"}},
        {R"(C:\Masq\warden -name  -key  -do -H 1 -masq -port 65535 -say node)", {"", "", 1, 65535, "node"}},
        // A value holding blanks, and a blank at the end of the line.
        {R"(C:\Masq\warden -name u 1 -key k  2 -do -H 7070 -masq -port 443 -say 1.2.3.4 )",
         {"u 1", "k  2", 7070, 443, "1.2.3.4"}},
        // Options are found by their words; the flags carry nothing.
        {"-say 1.2.3.4 -port 443 -H 7070 -key k1 -name u1", {"u1", "k1", 7070, 443, "1.2.3.4"}},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseLine(c.line);
        ASSERT_TRUE(std::holds_alternative<Options>(parsed))
            << c.line << ": " << std::get<CommandLineError>(parsed).message;
        EXPECT_EQ(std::get<Options>(parsed), c.expected) << c.line;
    }
}

TEST(CommandLine, AnEmptyValueLostByArgumentSplittingStaysEmpty) {
    const std::vector<std::string> argv{"-name", "-key",  "k1",  "-do",  "-H", "7070",
                                        "-masq", "-port", "443", "-say", "h"};
    const auto parsed = ParseCommandLine(argv);
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    EXPECT_EQ(std::get<Options>(parsed), (Options{"", "k1", 7070, 443, "h"}));
}

TEST(CommandLine, RejectsMissingOrMalformedOptionsWithAReason) {
    const std::string too_long(256, 'x');
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"", "missing -name"},
        {R"(C:\Masq\warden)", "missing -name"},
        {"-name u -key k -do -H 7070 -masq -port 443", "missing -say"},
        {"-name u -key k -do -H 7070 -masq -port 443 -say", "-say needs the node's address"},
        {"-name u -key k -do -H 7070 -masq -port 443 -say ", "-say needs the node's address"},
        {"-name u -key k -do -H http -masq -port 443 -say h", "-H needs a port number, not 'http'"},
        {"-name u -key k -do -H 0 -masq -port 443 -say h", "-H needs a port number, not '0'"},
        {"-name u -key k -do -H 7070 -masq -port 65536 -say h", "-port needs a port number, not '65536'"},
        {"-name u -key k -do -H 7070 -masq -port 44x -say h", "-port needs a port number, not '44x'"},
        {"-name u -key k -do -H 7070 -masq -port -say h", "-port needs a port number, not ''"},
        {"-name u -key k -do extra -H 7070 -port 443 -say h", "unexpected 'extra'"},
        {"-name u -key k -H 7070 -port 443 -say h extra", "-say needs one address, not 'h extra'"},
        {"-name u -name v -key k -H 7070 -port 443 -say h", "-name given twice"},
        {"-name u -key k -do -do -H 7070 -port 443 -say h", "-do given twice"},
        {"-name " + too_long + " -key k -H 7070 -port 443 -say h", "-name is longer than 255 bytes"},
        {"-name u -key " + too_long + " -H 7070 -port 443 -say h", "-key is longer than 255 bytes"},
        {"-name u -key k -H 7070 -port 443 -say " + too_long, "-say is longer than 255 bytes"},
    };
    for (const Case& c : cases) {
        const auto parsed = ParseLine(c.line);
        ASSERT_TRUE(std::holds_alternative<CommandLineError>(parsed)) << c.line;
        EXPECT_EQ(std::get<CommandLineError>(parsed).message, c.message) << c.line;
    }
}

TEST(SplitAtBlanks, KeepsTheEmptyTokenOfEachDoubledBlank) {
    EXPECT_EQ(SplitAtBlanks("a  b c"), (std::vector<std::string>{"a", "", "b", "c"}));
    EXPECT_EQ(SplitAtBlanks("a "), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(SplitAtBlanks(""), (std::vector<std::string>{""}));
}

}  // namespace
}  // namespace warden
