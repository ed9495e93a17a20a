#include "platform/environment.h"
#include "platform/registry_win.h"

#include "common/unique_handle_win.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Unique(const std::string& name) {
    return name + " " + std::to_string(GetCurrentProcessId());
}

bool KeyExists(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    UniqueKey opened(handle);
    return true;
}

// A key of this test's own under HKEY_CURRENT_USER, removed with its values at the end.
class ScratchKeyTest : public testing::Test {
  protected:
    ~ScratchKeyTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

    std::string key = Unique("Software\\Masq NG test registry");
    WinRegistry registry;
};

TEST_F(ScratchKeyTest, StringValuesRoundTripAndDeletingAMissingValueIsNoError) {
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, key, "Path"), std::nullopt);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key));

    const std::string longData(3000, 'p');
    EXPECT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, key, "Path", "C:\\Program Files\\Masq NG\\masqng.exe"));
    EXPECT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, key, "", "default"));
    EXPECT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, key, "Long", longData));
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, key, "Path"), "C:\\Program Files\\Masq NG\\masqng.exe");
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, key, ""), "default");
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, key, "Long"), longData);

    EXPECT_TRUE(registry.DeleteValue(RegistryRoot::CurrentUser, key, "Path"));
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, key, "Path"), std::nullopt);
    EXPECT_TRUE(registry.DeleteValue(RegistryRoot::CurrentUser, key, "Path"));
    EXPECT_TRUE(registry.DeleteValue(RegistryRoot::CurrentUser, key + "\\missing", "Path"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key + "\\missing"));
}

TEST_F(ScratchKeyTest, AValueThatIsNoStringReadsAsMissing) {
    ASSERT_TRUE(registry.WriteString(RegistryRoot::CurrentUser, key, "Text", "x"));
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle), ERROR_SUCCESS);
    UniqueKey opened(handle);
    const DWORD number = 1;
    ASSERT_EQ(
        RegSetValueExA(opened.Get(), "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
        ERROR_SUCCESS);
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, key, "Number"), std::nullopt);
}

TEST(WinRegistry, ReadingAMissingClassesKeyCreatesNothing) {
    WinRegistry registry;
    const std::string scheme = Unique("masqng-test-scheme");
    EXPECT_EQ(registry.ReadString(RegistryRoot::ClassesRoot, scheme + "\\shell\\open\\command", ""), std::nullopt);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, scheme));
}

TEST(GetDefaultBrowser, GivesTheRegisteredHttpCommand) {
    WinRegistry registry;
    // Wine registers its own browser bridge for http links.
    EXPECT_NE(GetDefaultBrowser(registry).find("%1"), std::string::npos) << GetDefaultBrowser(registry);
}

TEST(AutoStart, RoundTripsThroughTheUsersRunKey) {
    WinRegistry registry;
    const std::string name = Unique("Masq NG test");
    const std::string path = "C:\\Program Files\\Masq NG\\masqng.exe";

    EXPECT_FALSE(IsAutoStart(registry, name));
    EXPECT_TRUE(SetAutoStart(registry, true, name, path));
    EXPECT_TRUE(IsAutoStart(registry, name));
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kRunKey, name), path);

    EXPECT_TRUE(SetAutoStart(registry, false, name, path));
    EXPECT_FALSE(IsAutoStart(registry, name));
    EXPECT_TRUE(SetAutoStart(registry, false, name, path));
}

}  // namespace
