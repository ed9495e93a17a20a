#include "proxy/user_proxy_store.h"

#include <string>
#include <vector>

#include "proxy/proxy_texts.h"
#include "settings/settings_store.h"

namespace {

constexpr const char* kSection = proxy_text::kUserProxySection;
constexpr char kLanName[] = "LAN";
constexpr char kDialUpPrefix[] = "Dial-up ";
constexpr char kFlags[] = ".Flags";
constexpr char kServer[] = ".Server";
constexpr char kBypass[] = ".Bypass";
constexpr char kSaved[] = ".Saved";
constexpr char kFirefoxUserJs[] = "Firefox.UserJs";
constexpr char kFirefoxBackup[] = "Firefox.Backup";
constexpr char kFirefoxSaved[] = "Firefox.Saved";

bool NeedsEscape(unsigned char c) {
    return c <= ' ' || c == 0x7F || c == '%' || c == '"' || c == '\'' || c == '=';
}

std::string Escape(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (unsigned char c : text) {
        if (NeedsEscape(c))
            escaped.append(1, '%').append(1, kHex[c >> 4]).append(1, kHex[c & 0xF]);
        else
            escaped.append(1, char(c));
    }
    return escaped;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A "%" that starts no escape stays as it is: a hand-edited value reads as typed.
std::string Unescape(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            plain.append(1, char(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
        } else {
            plain.append(1, text[i]);
        }
    }
    return plain;
}

std::string KeyOf(std::string_view connection, std::string_view field) {
    std::string key = connection.empty() ? std::string(kLanName) : kDialUpPrefix + Escape(connection);
    return key.append(field);
}

}  // namespace

std::optional<ConnectionProxy> UserProxyStore::Saved(std::string_view connection) const {
    if (!records_.ReadBool(kSection, KeyOf(connection, kSaved), false))
        return std::nullopt;
    const int flags = records_.ReadInteger(kSection, KeyOf(connection, kFlags), -1);
    if (flags < 0)
        return std::nullopt;
    return ConnectionProxy{static_cast<std::uint32_t>(flags),
                           Unescape(records_.ReadString(kSection, KeyOf(connection, kServer), "")),
                           Unescape(records_.ReadString(kSection, KeyOf(connection, kBypass), ""))};
}

void UserProxyStore::Save(std::string_view connection, const ConnectionProxy& proxy) {
    records_.WriteInteger(kSection, KeyOf(connection, kFlags), static_cast<int>(proxy.flags));
    records_.WriteString(kSection, KeyOf(connection, kServer), Escape(proxy.server));
    records_.WriteString(kSection, KeyOf(connection, kBypass), Escape(proxy.bypass));
    records_.WriteBool(kSection, KeyOf(connection, kSaved), true);
}

void UserProxyStore::Forget(std::string_view connection) {
    records_.WriteBool(kSection, KeyOf(connection, kSaved), false);
}

std::optional<ReplacedUserJs> UserProxyStore::SavedUserJs() const {
    if (!records_.ReadBool(kSection, kFirefoxSaved, false))
        return std::nullopt;
    return ReplacedUserJs{Unescape(records_.ReadString(kSection, kFirefoxUserJs, "")),
                          Unescape(records_.ReadString(kSection, kFirefoxBackup, ""))};
}

void UserProxyStore::SaveUserJs(const ReplacedUserJs& replaced) {
    records_.WriteString(kSection, kFirefoxUserJs, Escape(replaced.userJs));
    records_.WriteString(kSection, kFirefoxBackup, Escape(replaced.backup));
    records_.WriteBool(kSection, kFirefoxSaved, true);
}

void UserProxyStore::ForgetUserJs() {
    records_.WriteBool(kSection, kFirefoxSaved, false);
}

void MoveUserProxyRecords(SettingsStore& settings, SettingsStore& records) {
    const std::vector<std::string> keys = settings.KeysOf(kSection);
    if (keys.empty())
        return;
    // Every key is in the records before the section leaves masq.ini: a run that ends half way
    // moves the rest at its next start.
    for (const std::string& key : keys)
        records.WriteString(kSection, key, settings.ReadString(kSection, key, ""));
    settings.RemoveSection(kSection);
}
