#include "platform/environment.h"

#include <chrono>
#include <cstdlib>

namespace {

struct KnownOs {
    int major;
    int minor;
    std::string_view name;
};

constexpr KnownOs kKnownOses[] = {
    {4, 0, "Windows 95"}, {4, 10, "Windows 98"},   {4, 90, "Windows ME"}, {5, 0, "Windows 2000"},
    {5, 1, "Windows XP"}, {6, 0, "Windows Vista"}, {6, 1, "Windows 7"},   {6, 2, "Windows 8"},
};
constexpr std::string_view kUnknownOsOpen = "Unknown OS: ( Windows ";
constexpr std::string_view kUnknownOsClose = " )";

constexpr std::string_view kHttpOpenCommandKey = "http\\shell\\open\\command";
constexpr std::string_view kAutoStartKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kFallbackBrowser = "iexplore.exe";

constexpr std::string_view kGmtAhead = "GMT +";
constexpr std::string_view kGmtBehind = "GMT -";

std::chrono::milliseconds SinceEpoch(const LocalDateTime& time) {
    using namespace std::chrono;
    const sys_days date =
        year{time.year} / month{static_cast<unsigned>(time.month)} / day{static_cast<unsigned>(time.day)};
    return date.time_since_epoch() + hours{time.hour} + minutes{time.minute} + seconds{time.second} +
           milliseconds{time.millisecond};
}

}  // namespace

OsName GetOSName(OsVersion version) {
    OsName result{version.major * 100 + version.minor, {}};
    for (const KnownOs& os : kKnownOses) {
        if (os.major == version.major && os.minor == version.minor) {
            result.name = os.name;
            return result;
        }
    }
    result.name.append(kUnknownOsOpen).append(std::to_string(version.major)).append(".");
    result.name.append(std::to_string(version.minor)).append(kUnknownOsClose);
    return result;
}

std::string GetDefaultBrowser(const Registry& registry) {
    // Read only: creating an empty command key would hide the real http handler from every program.
    return registry.ReadString(RegistryRoot::ClassesRoot, kHttpOpenCommandKey, "").value_or("");
}

std::string GetTimeZoneText(const LocalDateTime& utc, const LocalDateTime& local) {
    // The whole date-times, so that an offset across midnight and a half-hour zone come out
    // true; whole minutes absorb the tick that passes between reading the two clocks.
    const auto offset = std::chrono::round<std::chrono::minutes>(SinceEpoch(local) - SinceEpoch(utc)).count();
    const auto distance = std::abs(offset);
    std::string text(offset > 0 ? kGmtAhead : kGmtBehind);
    text.append(std::to_string(distance / 60));
    if (distance % 60 != 0)
        text.append(distance % 60 < 10 ? ":0" : ":").append(std::to_string(distance % 60));
    return text;
}

bool IsAutoStart(const Registry& registry, std::string_view name) {
    return !registry.ReadString(RegistryRoot::CurrentUser, kAutoStartKey, name).value_or("").empty();
}

bool SetAutoStart(Registry& registry, bool enable, std::string_view name, std::string_view path) {
    if (enable)
        return registry.WriteString(RegistryRoot::CurrentUser, kAutoStartKey, name, path);
    return registry.DeleteValue(RegistryRoot::CurrentUser, kAutoStartKey, name);
}

void OpenURL(const Registry& registry, Shell& shell, std::string_view url) {
    // With a registered handler the shell opens the URL itself; the command line is not used.
    if (!GetDefaultBrowser(registry).empty()) {
        shell.Open(url, "");
    } else {
        shell.Open(kFallbackBrowser, url);
    }
}
