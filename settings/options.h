// The options dialog's values and their way to and from the settings file and the autostart entry.
#pragma once

#include <string>
#include <vector>

class SettingsStore;
class Registry;
class BrowserProxy;

// Config/FirefoxControlMode is the index of the selected item; none selected is -1.
enum FirefoxControlMode { kNoFirefoxMode = -1, kPluginMode = 0, kRestartFirefox = 1 };

struct Options {
    bool startWithWindows = false;         // the autostart entry, not a key
    bool autoSelectCountry = true;         // Config/AutoSelectCountry
    bool browserIE = true;                 // Config/BrowserIE
    bool browserFirefox = true;            // Config/BrowserFirefox
    int firefoxControlMode = kPluginMode;  // Config/FirefoxControlMode
    std::vector<std::string> bypass;       // section Bypass, one site per line
    bool hotkeyEnable = true;              // HotKey/Enable
    bool operator==(const Options&) const = default;
};

Options LoadOptions(const SettingsStore& settings, const Registry& registry);

// The most lines of the bypass list read: a damaged counter must not stall the program with
// billions of reads; no list a person types comes near it.
inline constexpr int kMaxBypassLines = 10000;

// The stored list of sites to reach directly, one per line (section Bypass).
std::vector<std::string> LoadBypassList(const SettingsStore& settings);

// Writes every value; false when the autostart entry could not be written (the keys are
// written all the same).
bool SaveOptions(const Options& options,
                 SettingsStore& settings,
                 Registry& registry,
                 const std::string& exePath,
                 BrowserProxy& browserProxy);
