#include "ui/toolkit/clipboard_win.h"

#include <cstring>

#include "common/unique_handle_win.h"

namespace {

// Another program may hold the clipboard for a moment (clipboard tools do): ask again briefly
// before giving up, so that a copy is not lost to that moment.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(10);
    }
    return false;
}

struct ClipboardSession {
    explicit ClipboardSession(HWND owner) : open(OpenClipboardPatiently(owner)) {}
    ~ClipboardSession() {
        if (open)
            CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    const bool open;
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};

}  // namespace

bool SetClipboardText(HWND owner, const std::string& text) {
    ClipboardSession clipboard(owner);
    if (!clipboard.open || !EmptyClipboard())
        return false;
    Unique<GlobalMemoryTraits> memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory)
        return false;
    void* bytes = GlobalLock(memory.Get());
    if (!bytes)
        return false;
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory.Get());
    if (!SetClipboardData(CF_TEXT, memory.Get()))
        return false;
    memory.Release();  // the clipboard owns it now
    return true;
}
