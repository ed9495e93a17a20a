// TCoolTrayIcon: one icon in the notification area, with its tooltip, balloons, an icon list it
// can cycle through, and the main form it keeps in the tray.
//
// All icons of the process share one hidden window that receives the shell's callback message
// (kTrayCallbackMessage, wParam = the icon's Id(), lParam = the mouse message; notification
// version 0), the cycling timers and "TaskbarCreated", which re-adds every visible icon after the
// shell restarts. Everything runs on the thread that created the icons.
//
// Nothing reaches the shell before Startup(); after it, each setter brings the icon up to date at
// once (NIM_MODIFY). A left click (button down, then up) raises OnClick on release; other mouse
// messages are ignored.
#pragma once

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/tray/icon_list_win.h"
#include "ui/tray/tray_rules.h"

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
    // form. Then shows the icon, starts cycling if it is on, and sets notification version 0.
    // Returns showMainForm.
    bool Startup();

    // The list IconIndex picks from (not owned; it must outlive its use here). Resets IconIndex to 0.
    void SetIconList(const IconList* list);
    // Clamped to the list (0 without one); shows the icon at that index. Until a list is set the
    // icon is the program's.
    void SetIconIndex(int index);
    // Cycling steps through the list every CycleInterval milliseconds, from index 0; an interval
    // of 0 never ticks.
    void SetCycleIcons(bool cycle);
    void SetCycleInterval(UINT milliseconds);
    void SetHint(const std::string& hint);  // the tooltip; cut to kMaxTipLength

    // Replaces any balloon showing. Title and text are cut to fit.
    void ShowBalloon(const std::string& title, const std::string& text, BalloonIcon icon, int timeoutSeconds);

    // The form the tray stands for: minimising it hides it; SC_RESTORE shows it again.
    void SetMainForm(HWND form);
    void RestoreMainForm();
    void HideMainForm();

    std::function<void()> OnClick;
    std::function<void(bool& showMainForm)> OnStartup;

    UINT Id() const { return record_.uID; }
    // The shared hidden window: the record's hWnd, the target of callbacks and timers.
    static HWND CallbackWindow();

  private:
    friend class TrayIconHandler;
    void HandleMouse(UINT mouseMessage);
    void HandleCycleTick();
    void ClearBalloon();
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
    bool started_ = false;
    bool clickStarted_ = false;
    HWND mainForm_ = nullptr;
};
