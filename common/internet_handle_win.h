// Owning WinInet handles: sessions, connections and requests.
#pragma once

#include <windows.h>
// after windows.h
#include <wininet.h>

#include "common/unique_handle_win.h"

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { InternetCloseHandle(h); }
};
using UniqueInternet = Unique<InternetHandleTraits>;
