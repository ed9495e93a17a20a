// The per-connection proxy options through WinInet (InternetSetOptionA and InternetQueryOptionA
// with INTERNET_OPTION_PER_CONNECTION_OPTION, for the whole system: no session handle).
#pragma once

#include <windows.h>
// after windows.h
#include <wininet.h>

#include <string>
#include <vector>

#include "proxy/connection_options.h"

// An option list in the system's own form, holding the texts its entries point at.
class WinOptionList {
  public:
    explicit WinOptionList(const ConnectionOptionList& list);
    WinOptionList(const WinOptionList&) = delete;
    WinOptionList& operator=(const WinOptionList&) = delete;

    INTERNET_PER_CONN_OPTION_LISTA* Get() { return &list_; }

  private:
    std::string connection_;
    std::vector<std::string> texts_;
    std::vector<INTERNET_PER_CONN_OPTIONA> options_;
    INTERNET_PER_CONN_OPTION_LISTA list_{};
};

class WinConnectionOptions final : public ConnectionOptions {
  public:
    bool Set(const ConnectionOptionList& list) override;
    std::optional<ConnectionProxy> Query(std::string_view connection) const override;
    void Refresh() override;
    void SettingsChanged() override;
};
