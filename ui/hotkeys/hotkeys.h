// The three global hotkeys, registered on the main form's window.
#pragma once

class Hotkeys {
  public:
    virtual ~Hotkeys() = default;
    // Creates the hotkey identifiers once and registers the keys when they are enabled.
    virtual void InitHotkeys() = 0;
    virtual void DisableAllHotkeys() = 0;
    virtual bool EnableAllHotKeys() = 0;
};
