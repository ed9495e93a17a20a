// The language the directory request reports follows the system's locale (Wine takes it from
// LANG, so CTest runs this under chosen languages).
#include "directory/system_language_win.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/win/settings/environment_case.h"

namespace {

TEST(WinSystemLanguage, IsTheLanguageOfTheSystemsLocale) {
    const char* lang = ChosenEnvironment("LANG");
    if (!lang)
        GTEST_SKIP() << "run by CTest under chosen languages";
    const std::map<std::string, std::uint16_t> languages = {{"C.UTF-8", 1033}, {"de_DE.UTF-8", 1031}};
    ASSERT_TRUE(languages.contains(lang)) << "no expectation for LANG=" << lang;
    EXPECT_EQ(WinSystemLanguage().DefaultLanguageId(), languages.at(lang));
}

}  // namespace
