// The subsystems the program calls into that are not built yet, one small stand-in each; each
// goes when its subsystem arrives.
#pragma once

#include "ui/hotkeys.h"

class UnbuiltHotkeys final : public Hotkeys {
  public:
    void InitHotkeys() override {}
    void DisableAllHotkeys() override {}
    bool EnableAllHotKeys() override { return true; }
};
