// The port of the unblock advice dialog TfrmUnblock: what it shows, and how it ended.
#pragma once

#include <functional>
#include <string>

struct UnblockAdviceContent {
    std::string message;
    bool reconnectEnabled = false;
    std::string programPath;  // masqng.exe
    std::string wardenPath;   // warden.exe
    bool operator==(const UnblockAdviceContent&) const = default;
};

enum class UnblockChoice { Close, Reconnect };

class UnblockDialog {
  public:
    virtual ~UnblockDialog() = default;
    // Shows the dialog modally; the copy buttons work inside it, its help button calls
    // `helpClick` and leaves it open. Returns once the dialog is gone.
    virtual UnblockChoice ShowModal(const UnblockAdviceContent& content, const std::function<void()>& helpClick) = 0;
};
