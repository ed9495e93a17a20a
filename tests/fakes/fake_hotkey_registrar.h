// Global hotkeys in memory: atoms numbered from 0xC000 in the order they are made, the
// registered combinations by identifier, and combinations another program holds.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/hotkeys/hotkey_registrar.h"

class FakeHotkeyRegistrar final : public HotkeyRegistrar {
  public:
    std::vector<std::string> atoms;      // names, in the order made
    std::map<int, HotKey> registered;    // by identifier
    std::set<std::pair<int, int>> held;  // (modifiers, virtual key) other programs registered

    int AtomOf(const std::string& name) const {
        for (size_t i = 0; i < atoms.size(); ++i)
            if (atoms[i] == name)
                return kFirstAtom + int(i);
        return 0;
    }

    int AddAtom(const std::string& name) override {
        atoms.push_back(name);
        return kFirstAtom + int(atoms.size()) - 1;
    }
    bool Register(int id, const HotKey& hotkey) override {
        if (held.count({hotkey.modifiers, hotkey.virtualKey}))
            return false;
        registered[id] = hotkey;
        return true;
    }
    void Unregister(int id) override { registered.erase(id); }

  private:
    static constexpr int kFirstAtom = 0xC000;
};
