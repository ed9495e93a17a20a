// TCoolTrayIcon: one icon in the notification area, with its tooltip, balloons, an icon list it
// can cycle through, and the main form it keeps in the tray.
//
// All icons of the process share one hidden window that receives the shell's callback message
// (kTrayCallbackMessage, wParam = the icon's Id(), lParam = the mouse message; notification
// version 0), the cycling timers and "TaskbarCreated", which re-adds every visible icon after the
// shell restarts. Everything runs on the thread that created the icons.
//
// Nothing reaches the shell before Startup(); after it, each setter brings the icon up to date at
// once (NIM_MODIFY; NIM_ADD / NIM_DELETE for SetIconVisible). A left click (button down, then up)
// raises OnClick on release while Enabled; other mouse messages are ignored.
#pragma once

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/icon_list.h"
#include "ui/tray_rules.h"

class TCoolTrayIcon {
  public:
    // How a record reaches the shell; Shell_NotifyIconA unless a test listens instead.
    using NotifyFunction = std::function<bool(DWORD action, const NOTIFYICONDATAA& record)>;
    static bool ShellNotify(DWORD action, const NOTIFYICONDATAA& record);

    explicit TCoolTrayIcon(NotifyFunction notify = ShellNotify);
    ~TCoolTrayIcon();  // removes the icon from the notification area
    TCoolTrayIcon(const TCoolTrayIcon&) = delete;
    TCoolTrayIcon& operator=(const TCoolTrayIcon&) = delete;

    // Raises OnStartup with showMainForm = true; when the handler leaves it false, hides the main
    // form. Then shows the icon if IconVisible, starts cycling if CycleIcons, and sets
    // notification version 0. Returns showMainForm.
    bool Startup();

    // The list IconIndex picks from (not owned; it must outlive its use here). Resets IconIndex to 0.
    void SetIconList(const IconList* list);
    // Clamped to the list (0 without one); shows the icon at that index.
    void SetIconIndex(int index);
    int IconIndex() const { return iconIndex_; }
    // The icon shown (not owned). Default: the program's icon.
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_; }
    // Cycling steps through the list every CycleInterval milliseconds, from index 0, raising
    // OnCycle with each index shown; an interval of 0 never ticks.
    void SetCycleIcons(bool cycle);
    void SetCycleInterval(UINT milliseconds);
    bool CycleIcons() const { return cycleIcons_; }
    void SetHint(const std::string& hint);  // the tooltip; cut to kMaxTipLength
    const std::string& Hint() const { return hint_; }
    void SetShowHint(bool show);
    void SetIconVisible(bool visible);
    void SetEnabled(bool enabled);  // mouse events are reported only while enabled

    // Replaces any balloon showing. Title and text are cut to fit.
    void ShowBalloon(const std::string& title, const std::string& text, BalloonIcon icon, int timeoutSeconds);
    void ClearBalloon();

    // The form the tray stands for. With MinimizeToTray (default on), minimising it hides it;
    // SC_RESTORE shows it again.
    void SetMainForm(HWND form);
    void SetMinimizeToTray(bool minimize) { minimizeToTray_ = minimize; }
    void RestoreMainForm();
    void HideMainForm();

    std::function<void()> OnClick;
    std::function<void(int index)> OnCycle;
    std::function<void(bool& showMainForm)> OnStartup;

    UINT Id() const { return record_.uID; }
    // The shared hidden window: the record's hWnd, the target of callbacks and timers.
    static HWND CallbackWindow();

  private:
    friend class TrayIconHandler;
    void HandleMouse(UINT mouseMessage);
    void HandleCycleTick();
    void AddAgain();
    void RestartCycling();
    void Update();
    void Send(DWORD action);
    static LRESULT CALLBACK
    MainFormHook(HWND form, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);

    NotifyFunction notify_;
    NOTIFYICONDATAA record_{};
    const IconList* iconList_ = nullptr;
    int iconIndex_ = 0;
    HICON icon_ = nullptr;
    bool cycleIcons_ = false;
    UINT cycleInterval_ = 0;
    std::string hint_;
    bool showHint_ = true;
    bool iconVisible_ = true;
    bool enabled_ = true;
    bool started_ = false;
    bool clickStarted_ = false;
    bool minimizeToTray_ = true;
    HWND mainForm_ = nullptr;
};
