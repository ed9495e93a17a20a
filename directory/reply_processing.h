// ProcessDirectoryReply: what an accepted directory reply makes the program do. The service's
// flags are told to the user, a required new version opens the update dialog, and a node list
// replaces the one before it, after which a node of the last location is launched at once or
// the user is asked to choose.
#pragma once

#include <functional>
#include <string_view>

#include "settings/program_values.h"
#include "settings/session_values.h"

class ActivityLog;
class MasqStatus;
class MessageBoxes;
class NodeSelection;
class ReplyLines;
class SettingsStore;

struct ReplyPorts {
    ActivityLog& log;
    MessageBoxes& messages;
    MasqStatus& status;
    SettingsStore& settings;
};

// The parts built on the directory; the composition root wires them, each may be left empty.
struct ReplyCalls {
    // The modal update dialog, given the reply it came with; false when the program is ending
    // (the new version's installer runs), and the reply goes no further.
    std::function<bool(const ReplyLines& reply)> showUpdateDialog;
    std::function<void()> showTour;  // the first-run guide for the default browser
};

class DirectoryReply {
  public:
    DirectoryReply(const ProgramValues& values,
                   SessionValues& session,
                   ReplyPorts ports,
                   ReplyCalls calls,
                   NodeSelection& selection);

    // True when anything in the reply was acted on.
    bool ProcessDirectoryReply(std::string_view reply);

  private:
    void TellFailure(const char* message);

    const ProgramValues& values_;
    SessionValues& session_;
    ReplyPorts ports_;
    ReplyCalls calls_;
    NodeSelection& selection_;
};
