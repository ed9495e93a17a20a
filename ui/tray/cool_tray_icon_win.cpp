#include "ui/tray/cool_tray_icon_win.h"

#include <cstring>

#include "resources/resource_ids.h"

// One record layout with balloon fields, accepted from Windows XP on.
static_assert(NOTIFYICONDATAA_V2_SIZE == 504, "the x64 record with balloon fields");

namespace {

// The one icon of the program, on its own window.
constexpr UINT kIconId = 1;
constexpr UINT_PTR kCycleTimerId = 1;
constexpr UINT kRestingFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

template <std::size_t N>
void CopyCut(char (&buffer)[N], const std::string& text, std::size_t maxLength) {
    static_assert(N > 0);
    std::string cut = Truncated(text, std::min(maxLength, N - 1));
    std::memcpy(buffer, cut.c_str(), cut.size() + 1);
}

}  // namespace

bool TCoolTrayIcon::ShellNotify(DWORD action, const NOTIFYICONDATAA& record) {
    return Shell_NotifyIconA(action, const_cast<NOTIFYICONDATAA*>(&record));
}

TCoolTrayIcon::TCoolTrayIcon(NotifyFunction notify)
    : notify_(std::move(notify)), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
    CreateWindowOf("MasqTrayIcon", WS_EX_TOOLWINDOW, WS_POPUP, "", RECT{}, nullptr);
    record_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    record_.uID = kIconId;
    record_.uFlags = kRestingFlags;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hWnd = Handle();
    icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                          TrayIconSize(), TrayIconSize(), LR_SHARED));
}

TCoolTrayIcon::~TCoolTrayIcon() {
    KillTimer(Handle(), kCycleTimerId);
    if (shown_)
        Send(NIM_DELETE);
}

void TCoolTrayIcon::Show() {
    shown_ = true;
    Send(NIM_ADD);
    RestartCycling();
    record_.uVersion = 0;
    Send(NIM_SETVERSION);
}

std::optional<LRESULT> TCoolTrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage) {
        HandleMouse(UINT(lParam));
        return 0;
    }
    if (message == WM_TIMER && wParam == kCycleTimerId) {
        HandleCycleTick();
        return 0;
    }
    if (message == taskbarCreated_) {
        if (shown_)
            Send(NIM_ADD);
        return 0;
    }
    return std::nullopt;
}

void TCoolTrayIcon::SetIconList(const IconList* list) {
    iconList_ = list;
    SetIconIndex(0);
}

void TCoolTrayIcon::SetIconIndex(int index) {
    iconIndex_ = ClampIconIndex(index, iconList_ ? iconList_->Count() : 0);
    if (iconList_)
        icon_ = iconList_->At(iconIndex_);
    Update();
}

void TCoolTrayIcon::SetCycleIcons(bool cycle) {
    cycleIcons_ = cycle;
    if (cycle)
        SetIconIndex(0);
    RestartCycling();
}

void TCoolTrayIcon::SetCycleInterval(UINT milliseconds) {
    cycleInterval_ = milliseconds;
    RestartCycling();
}

void TCoolTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    Update();
}

void TCoolTrayIcon::ClearBalloon() {
    record_.uFlags |= NIF_INFO;
    record_.szInfo[0] = '\0';
    Update();
    record_.uFlags = kRestingFlags;
}

void TCoolTrayIcon::ShowBalloon(const std::string& title,
                                const std::string& text,
                                BalloonIcon icon,
                                int timeoutSeconds) {
    ClearBalloon();
    record_.uFlags |= NIF_INFO;
    CopyCut(record_.szInfo, text, kMaxBalloonTextLength);
    CopyCut(record_.szInfoTitle, title, kMaxBalloonTitleLength);
    record_.uTimeout = UINT(timeoutSeconds) * 1000;
    record_.dwInfoFlags = DWORD(icon);
    Update();
    record_.uFlags = kRestingFlags;
}

void TCoolTrayIcon::HandleMouse(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONDOWN) {
        clickStarted_ = true;
    } else if (mouseMessage == WM_LBUTTONUP && clickStarted_) {
        clickStarted_ = false;
        if (OnClick)
            OnClick();
    }
}

void TCoolTrayIcon::HandleCycleTick() {
    if (!iconList_)
        return;
    icon_ = iconList_->At(iconIndex_);
    Update();
    iconIndex_ = NextCycleIndex(iconIndex_, iconList_->Count());
}

void TCoolTrayIcon::RestartCycling() {
    KillTimer(Handle(), kCycleTimerId);
    if (shown_ && cycleIcons_ && cycleInterval_ > 0)
        SetTimer(Handle(), kCycleTimerId, cycleInterval_, nullptr);
}

void TCoolTrayIcon::Update() {
    if (shown_)
        Send(NIM_MODIFY);
}

void TCoolTrayIcon::Send(DWORD action) {
    record_.hIcon = icon_;
    CopyCut(record_.szTip, hint_, kMaxTipLength);
    notify_(action, record_);
}
