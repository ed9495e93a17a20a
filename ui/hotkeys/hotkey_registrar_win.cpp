#include "ui/hotkeys/hotkey_registrar_win.h"

int WinHotkeyRegistrar::AddAtom(const std::string& name) {
    UniqueGlobalAtom atom(GlobalAddAtomA(name.c_str()));
    const int id = atom.Get();
    if (atom)
        atoms_.push_back(std::move(atom));
    return id;
}

bool WinHotkeyRegistrar::Register(int id, const HotKey& hotkey) {
    return RegisterHotKey(window_, id, UINT(hotkey.modifiers), UINT(hotkey.virtualKey)) != FALSE;
}

void WinHotkeyRegistrar::Unregister(int id) {
    UnregisterHotKey(window_, id);
}
