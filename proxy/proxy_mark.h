// Which run of the program has the browsers on its proxy: the process id of the run whose setting
// call changed them last, kept in the program's records (userproxy.ini) until a clearing call has
// taken them back.
//   [UserProxy]
//   SetByProcess=4242
// The mark is written before a setting call changes anything and taken away after a clearing
// call, so that it survives whatever ends the run: a mark found when the program starts was left
// by a run that ended without clearing. Empty or 0 means no mark.
#pragma once

#include <cstdint>
#include <optional>

class SettingsStore;

class ProxyMark {
  public:
    explicit ProxyMark(SettingsStore& records) : records_(records) {}

    // The process that set the browsers' proxy; nullopt when they are not on the program's proxy.
    std::optional<std::uint32_t> Owner() const;
    void Set(std::uint32_t processId);
    void Remove();

  private:
    SettingsStore& records_;
};
