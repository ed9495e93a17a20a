#include "proxy/connection_options_win.h"

#include <memory>

namespace {

// The texts of a query belong to the caller, who frees them with GlobalFree.
struct GlobalFreeText {
    void operator()(char* text) const { GlobalFree(text); }
};
using QueriedText = std::unique_ptr<char, GlobalFreeText>;

std::string TextOf(const QueriedText& text) {
    return text ? std::string(text.get()) : std::string();
}

}  // namespace

WinOptionList::WinOptionList(const ConnectionOptionList& list) : connection_(list.connection) {
    texts_.reserve(list.options.size());  // the entries point into these texts
    for (const ConnectionOption& option : list.options) {
        INTERNET_PER_CONN_OPTIONA entry{};
        entry.dwOption = static_cast<DWORD>(option.id);
        if (const auto* number = std::get_if<std::uint32_t>(&option.value)) {
            entry.Value.dwValue = *number;
        } else {
            texts_.push_back(std::get<std::string>(option.value));
            entry.Value.pszValue = texts_.back().data();
        }
        options_.push_back(entry);
    }
    list_.dwSize = sizeof(list_);
    list_.pszConnection = connection_.empty() ? nullptr : connection_.data();
    list_.dwOptionCount = static_cast<DWORD>(options_.size());
    list_.dwOptionError = 0;
    list_.pOptions = options_.data();
}

bool WinConnectionOptions::Set(const ConnectionOptionList& list) {
    WinOptionList options(list);
    return InternetSetOptionA(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, options.Get(),
                              sizeof(INTERNET_PER_CONN_OPTION_LISTA));
}

std::optional<ConnectionProxy> WinConnectionOptions::Query(std::string_view connection) const {
    INTERNET_PER_CONN_OPTIONA options[3]{};
    options[0].dwOption = INTERNET_PER_CONN_FLAGS;
    options[1].dwOption = INTERNET_PER_CONN_PROXY_SERVER;
    options[2].dwOption = INTERNET_PER_CONN_PROXY_BYPASS;
    std::string name(connection);
    INTERNET_PER_CONN_OPTION_LISTA list{};
    list.dwSize = sizeof(list);
    list.pszConnection = name.empty() ? nullptr : name.data();
    list.dwOptionCount = 3;
    list.pOptions = options;
    DWORD size = sizeof(list);
    if (!InternetQueryOptionA(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, &size))
        return std::nullopt;
    const QueriedText server(options[1].Value.pszValue), bypass(options[2].Value.pszValue);
    return ConnectionProxy{options[0].Value.dwValue, TextOf(server), TextOf(bypass)};
}

void WinConnectionOptions::Refresh() {
    InternetSetOptionA(nullptr, INTERNET_OPTION_REFRESH, nullptr, 0);
}

void WinConnectionOptions::SettingsChanged() {
    InternetSetOptionA(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
}
