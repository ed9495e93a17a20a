// The system's global hotkeys, registered on the one window that receives their WM_HOTKEY.
#pragma once

#include <string>

#include "settings/options.h"

class HotkeyRegistrar {
  public:
    virtual ~HotkeyRegistrar() = default;
    // A process-wide identifier made from `name` (a global atom); 0 when none could be made.
    virtual int AddAtom(const std::string& name) = 0;
    // False when the system refused, as it does for a combination another program holds.
    virtual bool Register(int id, const HotKey& hotkey) = 0;
    virtual void Unregister(int id) = 0;
};
