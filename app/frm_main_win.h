// TfrmMain: the program's main form, hidden while the program runs in the tray and shown as the
// options dialog with its four pages. It owns its window, the pages and the timers timRead and
// timReset; it routes every window message (commands, timers, hotkeys, the end-session query)
// to where the composition root points it, and answers MainFormView. It decides nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/form_timer_win.h"
#include "app/main_form_view.h"
#include "app/main_logic.h"
#include "app/options_pages_win.h"
#include "common/window_base_win.h"
#include "ui/tray/tray_menu.h"

class MasqTray;
class SkinPaint;

class TfrmMain final : public WindowBase, public MainFormView {
  public:
    struct Routes {
        std::function<void()> FormShow;
        std::function<void()> btnOKClick;
        std::function<void()> suiButton1Click;
        std::function<void()> closeCommand;  // the frame's close button, Alt+F4
        std::function<void()> FormClose;     // on the way out, before the window goes
        std::function<bool()> WMEndSessionQuery;
        std::function<void(bool)> WMEndSession;  // whether the session ends
        std::function<void()> help;              // the title bar's help button
        std::function<void(AboutLink)> aboutLink;
        std::function<void(TrayMenuItem)> menuCommand;
        std::function<void(int)> WMHotKey;  // the hotkey's id
    };

    explicit TfrmMain(MasqTray& tray);
    ~TfrmMain() override;

    // Creates the hidden window and puts the program in the tray; false when it cannot.
    bool Create();
    // Dialog keyboard handling for the message loop; true when the message was used.
    bool PreTranslateMessage(MSG& message);
    bool Closed() const { return closed_; }

    Routes routes;
    FormTimer timRead{*this, 1};
    FormTimer timReset{*this, 2};

    // MainFormView
    void CloseMainForm() override;
    void ApplySkin(const std::string& skinPath) override;
    void SetFormCaption(const std::string& caption) override;
    void SetAboutPage(const std::string& programName, const std::string& websiteUrl) override;
    void ShowOptions(const Options& options) override;
    Options ReadOptions() const override;
    void ShowAboutPage() override;
    void RestoreMainForm() override;
    void HideMainForm() override;
    void SetShutdownBlockReason(const std::string& reason) override;

  protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void OnCommand(WORD id);
    std::optional<LRESULT> OnSystemCommand(WPARAM command);
    std::optional<LRESULT> OnNotify(const NMHDR& header);
    std::optional<LRESULT> OnDrawItem(const DRAWITEMSTRUCT& item) const;

    MasqTray& tray_;
    OptionsPages pages_;
    std::unique_ptr<SkinPaint> skin_;
    bool closed_ = false;
};
