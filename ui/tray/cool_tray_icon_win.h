// TCoolTrayIcon: the program's icon in the notification area, with its tooltip, balloons and an
// icon list it can cycle through.
//
// The icon has a hidden window of its own that receives the shell's callback message
// (kTrayCallbackMessage, lParam = the mouse message; notification version 0), the cycling timer
// and "TaskbarCreated", which adds the icon again after the shell restarts. Everything runs on
// the thread that created it.
//
// Nothing reaches the shell before Show(); after it, each setter brings the icon up to date at
// once (NIM_MODIFY). A left click (button down, then up) raises OnClick on release; other mouse
// messages are ignored.
#pragma once

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <functional>
#include <string>

#include "common/window_base_win.h"
#include "ui/tray/icon_list_win.h"
#include "ui/tray/tray_rules.h"

class TCoolTrayIcon final : public WindowBase {
  public:
    // How a record reaches the shell; Shell_NotifyIconA unless a test listens instead.
    using NotifyFunction = std::function<bool(DWORD action, const NOTIFYICONDATAA& record)>;
    static bool ShellNotify(DWORD action, const NOTIFYICONDATAA& record);

    explicit TCoolTrayIcon(NotifyFunction notify = ShellNotify);
    ~TCoolTrayIcon() override;  // removes the icon from the notification area

    // Shows the icon, starts cycling if it is on, and sets notification version 0.
    void Show();

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

    std::function<void()> OnClick;

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void HandleMouse(UINT mouseMessage);
    void HandleCycleTick();
    void ClearBalloon();
    void RestartCycling();
    void Update();
    void Send(DWORD action);

    NotifyFunction notify_;
    NOTIFYICONDATAA record_{};
    const UINT taskbarCreated_;
    const IconList* iconList_ = nullptr;
    int iconIndex_ = 0;
    HICON icon_ = nullptr;
    bool cycleIcons_ = false;
    UINT cycleInterval_ = 0;
    std::string hint_;
    bool shown_ = false;
    bool clickStarted_ = false;
};
