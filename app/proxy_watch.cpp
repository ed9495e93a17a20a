#include "app/proxy_watch.h"

#include <charconv>

#include "app/program_folders.h"
#include "proxy/browser_proxy_configuration.h"
#include "settings/settings_store.h"
#include "ui/messages/silent_message_boxes.h"

namespace {

const struct {
    WatchStage stage;
    std::string_view option;
} kStages[] = {
    {WatchStage::Launcher, "-start-watch"},
    {WatchStage::Watch, "-watch"},
};

}  // namespace

std::string WatchCommandLine(std::string_view exePath, const WatchRequest& request) {
    std::string line;
    for (const auto& [stage, option] : kStages) {
        if (stage == request.stage)
            line.append(1, '"').append(exePath).append("\" ").append(option).append(1, ' ').append(
                std::to_string(request.programHandle));
    }
    return line;
}

std::optional<WatchRequest> ParseWatchArguments(std::string_view arguments) {
    for (const auto& [stage, option] : kStages) {
        if (!arguments.starts_with(option) || arguments.size() < option.size() + 2 || arguments[option.size()] != ' ')
            continue;
        const std::string_view number = arguments.substr(option.size() + 1);
        std::uint64_t handle = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), handle);
        if (error != std::errc() || end != number.data() + number.size() || handle == 0)
            return std::nullopt;
        return WatchRequest{stage, handle};
    }
    return std::nullopt;
}

bool ClearAfterProgramEnd(WatchPorts ports, std::uint32_t programId) {
    ProgramValues values;
    FindProgramFolders(ports.folders, ports.os, values);
    ports.settings.Open(values.SettingsPath);
    ports.records.Open(values.UserProxyPath);
    // The program's own proxy is told by its port.
    values.InternalPort = ReadInternalPort(ports.settings);
    const SessionValues session;
    SilentMessageBoxes silent;
    // The watch never sets a proxy: it has no mark of its own.
    BrowserProxyConfiguration browsers(values, session,
                                       BrowserProxyPorts{ports.connectionOptions, ports.dialUp, ports.files,
                                                         ports.windows, ports.settings, ports.records, silent},
                                       0);
    return browsers.ClearForEndedRun(programId);
}
