#include "proxy/proxy_mark.h"

#include <charconv>
#include <string>

#include "proxy/proxy_texts.h"
#include "settings/settings_store.h"

namespace {

constexpr char kSetByProcess[] = "SetByProcess";

}  // namespace

std::optional<std::uint32_t> ProxyMark::Owner() const {
    const std::string text = records_.ReadString(proxy_text::kUserProxySection, kSetByProcess, "");
    if (text.empty())
        return std::nullopt;
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    const bool number = error == std::errc() && end == text.data() + text.size();
    if (number && id == 0)
        return std::nullopt;
    // A mark that is no process id still says that a run left the browsers on its proxy; it
    // names no program that runs.
    return number ? id : 0u;
}

void ProxyMark::Set(std::uint32_t processId) {
    records_.WriteString(proxy_text::kUserProxySection, kSetByProcess, std::to_string(processId));
}

// Only a mark that is there is written away: the clearing at every start writes nothing into a
// records file that never had one.
void ProxyMark::Remove() {
    if (!records_.ReadString(proxy_text::kUserProxySection, kSetByProcess, "").empty())
        records_.WriteString(proxy_text::kUserProxySection, kSetByProcess, "");
}
