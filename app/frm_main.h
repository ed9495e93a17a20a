// TfrmMain: the program's main form. Hidden while the program runs in the tray; shown as the
// options dialog with its four pages. It owns the window, forwards every event to MainLogic and
// answers MainFormView for it.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/main_form_view.h"
#include "app/main_logic.h"
#include "app/options_page.h"
#include "common/window_base.h"
#include "ui/cool_tray_icon.h"
#include "ui/tray_popup_menu.h"
#include "ui/tray_status_display.h"

class SkinPaint;

class TfrmMain final : public DialogBase, public MainFormView {
  public:
    TfrmMain(ProgramValues& values, MainPorts ports);
    ~TfrmMain() override;

    // Creates the (hidden) window and runs the start-up sequence; false when the program is to end.
    bool Create();
    // Dialog keyboard handling for the message loop; true when the message was used.
    bool PreTranslateMessage(MSG& message);

  protected:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
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

    void CreatePages();
    void StartTray();
    // The tray icon's handlers: a left click pops the menu up at the cursor; the program starts
    // with the icon alone.
    void ctiControlClick();
    void ctiControlStartup(bool& showMainForm);
    void SelectPage(int index);
    void CentreOnAboutPage(int id, const std::string& text);
    void OnCommand(int id);
    INT_PTR OnNotify(const NMHDR& header);
    void DrawPageTab(const DRAWITEMSTRUCT& item) const;
    void Answer(LRESULT result);

    MainLogic logic_;
    StatusImageLists images_;  // imlBusy and imlStatus
    TCoolTrayIcon ctiControl_;
    TrayPopupMenu ppmMain_;
    std::unique_ptr<SkinPaint> skinPaint_;
    const SkinPaint* skin_ = nullptr;  // what the pages paint with
    std::array<OptionsPage, 4> pages_;
    int currentPage_ = 0;
    bool closed_ = false;
};
