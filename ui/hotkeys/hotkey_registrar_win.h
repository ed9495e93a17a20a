// The global hotkeys for real: identifiers from the global atom table (given back when the
// program ends), registered on the main form's window, whose messages bring their WM_HOTKEY.
#pragma once

#include <windows.h>

#include <vector>

#include "common/unique_handle_win.h"
#include "ui/hotkeys/hotkey_registrar.h"

class WinHotkeyRegistrar final : public HotkeyRegistrar {
  public:
    // The window the hotkeys are registered on, once it exists.
    void AttachTo(HWND window) { window_ = window; }

    int AddAtom(const std::string& name) override;
    bool Register(int id, const HotKey& hotkey) override;
    void Unregister(int id) override;

  private:
    HWND window_ = nullptr;
    std::vector<UniqueGlobalAtom> atoms_;
};
