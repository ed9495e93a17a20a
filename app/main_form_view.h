// What the main form's logic asks of its window: the options dialog, its pages and its frame.
#pragma once

#include <string>

struct Options;

class MainFormView {
  public:
    virtual ~MainFormView() = default;
    // Closing the main form ends the program (the window runs FormClose on its way out).
    virtual void CloseMainForm() = 0;
    virtual void ApplySkin(const std::string& skinPath) = 0;
    virtual void SetFormCaption(const std::string& caption) = 0;
    // The About page: the program's name centred on the page, and the link to the maker's site.
    virtual void SetAboutPage(const std::string& programName, const std::string& websiteUrl) = 0;
    virtual void ShowOptions(const Options& options) = 0;
    virtual Options ReadOptions() const = 0;
    virtual void ShowAboutPage() = 0;
    virtual void RestoreMainForm() = 0;
    virtual void HideMainForm() = 0;
    virtual void SetShutdownBlockReason(const std::string& reason) = 0;
};
