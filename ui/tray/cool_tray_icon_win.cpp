#include "ui/tray/cool_tray_icon_win.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <memory>

#include "common/window_base_win.h"
#include "resources/resource_ids.h"

// One record layout with balloon fields, accepted from Windows XP on.
static_assert(NOTIFYICONDATAA_V2_SIZE == 504, "the x64 record with balloon fields");

// The hidden window all tray icons of the process share, alive while any icon is.
class TrayIconHandler final : public WindowBase {
  public:
    static TrayIconHandler& Join(TCoolTrayIcon* icon) {
        if (!instance_) {
            instance_ = std::make_unique<TrayIconHandler>();
            instance_->CreateWindowOf("MasqTrayIconHandler", WS_EX_TOOLWINDOW, WS_POPUP, "", RECT{}, nullptr);
        }
        instance_->icons_[icon->Id()] = icon;
        return *instance_;
    }
    static void Leave(TCoolTrayIcon* icon) {
        instance_->icons_.erase(icon->Id());
        if (instance_->icons_.empty())
            instance_.reset();
    }
    static HWND Window() { return instance_ ? instance_->Handle() : nullptr; }

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kTrayCallbackMessage) {
            if (TCoolTrayIcon* icon = Find(UINT(wParam)))
                icon->HandleMouse(UINT(lParam));
            return 0;
        }
        if (message == WM_TIMER) {
            if (TCoolTrayIcon* icon = Find(UINT(wParam)))
                icon->HandleCycleTick();
            return 0;
        }
        if (message == taskbarCreated_) {
            for (auto& [id, icon] : icons_)
                icon->AddAgain();
            return 0;
        }
        return std::nullopt;
    }

  private:
    TCoolTrayIcon* Find(UINT id) const {
        auto found = icons_.find(id);
        return found == icons_.end() ? nullptr : found->second;
    }

    static inline std::unique_ptr<TrayIconHandler> instance_;
    const UINT taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    std::map<UINT, TCoolTrayIcon*> icons_;
};

namespace {

UINT NextIconId() {
    static UINT lastId = 0;
    return ++lastId;
}

constexpr UINT kRestingFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr UINT_PTR kMainFormHookId = 1;

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

TCoolTrayIcon::TCoolTrayIcon(NotifyFunction notify) : notify_(std::move(notify)) {
    record_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    record_.uID = NextIconId();
    record_.uFlags = kRestingFlags;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hWnd = TrayIconHandler::Join(this).Handle();
    icon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                          TrayIconSize(), TrayIconSize(), LR_SHARED));
}

TCoolTrayIcon::~TCoolTrayIcon() {
    KillTimer(record_.hWnd, Id());
    if (started_)
        Send(NIM_DELETE);
    if (mainForm_)
        RemoveWindowSubclass(mainForm_, MainFormHook, kMainFormHookId);
    TrayIconHandler::Leave(this);
}

HWND TCoolTrayIcon::CallbackWindow() {
    return TrayIconHandler::Window();
}

bool TCoolTrayIcon::Startup() {
    bool showMainForm = true;
    if (OnStartup)
        OnStartup(showMainForm);
    if (!showMainForm)
        HideMainForm();
    started_ = true;
    Send(NIM_ADD);
    RestartCycling();
    record_.uVersion = 0;
    Send(NIM_SETVERSION);
    return showMainForm;
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

void TCoolTrayIcon::SetMainForm(HWND form) {
    if (mainForm_)
        RemoveWindowSubclass(mainForm_, MainFormHook, kMainFormHookId);
    mainForm_ = form;
    if (form)
        SetWindowSubclass(form, MainFormHook, kMainFormHookId, reinterpret_cast<DWORD_PTR>(this));
}

void TCoolTrayIcon::RestoreMainForm() {
    if (!mainForm_)
        return;
    if (IsIconic(mainForm_))
        ShowWindow(mainForm_, SW_RESTORE);
    ShowWindow(mainForm_, SW_SHOW);
    SetForegroundWindow(mainForm_);
}

void TCoolTrayIcon::HideMainForm() {
    if (mainForm_ && IsWindowVisible(mainForm_))
        ShowWindow(mainForm_, SW_HIDE);
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

void TCoolTrayIcon::AddAgain() {
    if (started_)
        Send(NIM_ADD);
}

void TCoolTrayIcon::RestartCycling() {
    KillTimer(record_.hWnd, Id());
    if (started_ && cycleIcons_ && cycleInterval_ > 0)
        SetTimer(record_.hWnd, Id(), cycleInterval_, nullptr);
}

void TCoolTrayIcon::Update() {
    if (started_)
        Send(NIM_MODIFY);
}

void TCoolTrayIcon::Send(DWORD action) {
    record_.hIcon = icon_;
    CopyCut(record_.szTip, hint_, kMaxTipLength);
    notify_(action, record_);
}

LRESULT CALLBACK
TCoolTrayIcon::MainFormHook(HWND form, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* tray = reinterpret_cast<TCoolTrayIcon*>(self);
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED) {
        LRESULT result = DefSubclassProc(form, message, wParam, lParam);
        tray->HideMainForm();
        return result;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
        ShowWindow(form, SW_RESTORE);
        ShowWindow(form, SW_SHOW);
        return 0;
    }
    return DefSubclassProc(form, message, wParam, lParam);
}
