// ShowUnblockAdvice: the dialog that names the two programs a firewall must let through, with
// their paths to copy, the maker's firewall page behind its help button, and, after a failed
// directory request, a reconnect that asks the directory again.
#pragma once

#include <functional>
#include <string>

#include "ui/advice/unblock_advice.h"
#include "ui/advice/unblock_dialog.h"

struct ProgramValues;
class Registry;
class Shell;

// The dialog's content for `kind`, with the paths in the program's folder `appFolder` (which
// ends in a backslash).
UnblockAdviceContent AdviceContent(UnblockAdvice kind, const std::string& appFolder);

struct UnblockPorts {
    UnblockDialog& dialog;
    const Registry& registry;  // the browser that opens the firewall page
    Shell& shell;
};

class UnblockAdvisor {
  public:
    // `reconnect` runs the directory request again.
    UnblockAdvisor(const ProgramValues& values, UnblockPorts ports, std::function<void()> reconnect);

    // Returns once the dialog is closed and, after Reconnect, once the request run again has
    // ended: a failed request that showed the advice finishes after the one its Reconnect ran.
    void ShowUnblockAdvice(UnblockAdvice kind);

  private:
    const ProgramValues& values_;
    UnblockPorts ports_;
    std::function<void()> reconnect_;
};
