// One opening of the unblock advice dialog: what it shows, and what its buttons do. Help opens
// the firewall page and leaves the dialog open; Reconnect (where the advice offers it) and Close
// end it, and the first of them is how it ended.
#pragma once

#include <functional>
#include <optional>
#include <string>

struct UnblockAdviceContent {
    std::string message;
    bool reconnectEnabled = false;
    std::string programPath;  // masqng.exe
    std::string wardenPath;   // warden.exe
    bool operator==(const UnblockAdviceContent&) const = default;
};

enum class UnblockChoice { Close, Reconnect };

class UnblockForm {
  public:
    // `help` opens the maker's firewall page.
    UnblockForm(UnblockAdviceContent content, std::function<void()> help);

    const UnblockAdviceContent& Content() const { return content_; }

    void btnHelpClick();
    void btnReconnectClick();
    // The Close button, Escape and the frame's close button.
    void btnCloseClick();

    bool Closed() const { return choice_.has_value(); }
    // How the dialog ended; Close while it is open.
    UnblockChoice Choice() const { return choice_.value_or(UnblockChoice::Close); }

  private:
    void End(UnblockChoice choice);

    UnblockAdviceContent content_;
    std::function<void()> help_;
    std::optional<UnblockChoice> choice_;
};
