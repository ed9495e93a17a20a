#include "app/shutdown_block_win.h"

namespace {

template <typename Function>
Function FindUser32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

bool SetShutdownBlockReason(HWND window, const std::string& text) {
    ClearShutdownBlockReason(window);
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    auto create = FindUser32Function<Create>("ShutdownBlockReasonCreate");
    if (!create)
        return false;
    wchar_t reason[4096];
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), reason, 4095);
    reason[length] = L'\0';
    return create(window, reason) != 0;
}

bool ClearShutdownBlockReason(HWND window) {
    using Destroy = BOOL(WINAPI*)(HWND);
    auto destroy = FindUser32Function<Destroy>("ShutdownBlockReasonDestroy");
    return destroy && destroy(window) != 0;
}
