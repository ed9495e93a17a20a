// Choosing the node the tunnel client is launched for: at random among the first run of nodes
// of a location (SelectCountry), or by the user in the selection dialog TfrmSelectIP, whose
// rows name every node under its location.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/session_values.h"

class ActivityLog;
class MasqStatus;
class RandomPick;
class SettingsStore;
class SelectIpDialogs;

// One row of the selection dialog: a location header ("United States") or a node under it
// ("  #1 Masq Node"), with the node record it stands for.
struct SelectIpRow {
    std::string text;
    TServer server;
    bool operator==(const SelectIpRow&) const = default;
};

// A header row for every contiguous run of nodes of one location, each followed by its nodes.
std::vector<SelectIpRow> SelectionRows(const std::vector<TServer>& servers);

struct SelectionPorts {
    ActivityLog& log;
    MasqStatus& status;
    SettingsStore& settings;
    RandomPick& random;
    SelectIpDialogs& dialogs;
};

// The tunnel session as the choice uses it; the composition root wires it.
struct TunnelLaunch {
    std::function<void()> sweep;                    // ends a running client
    std::function<void(const TServer& node)> masq;  // launches the client for the node
};

class SelectIpForm;

class NodeSelection {
  public:
    NodeSelection(SessionValues& session, SelectionPorts ports, TunnelLaunch launch);

    // Launches the client for a random node of the first run of `code`; without such a node
    // asks the user in the forced dialog. True when a client was launched.
    bool SelectCountry(int code);
    // Shows the dialog modally (with `forced`, it cannot be cancelled); nothing without nodes.
    void ShowSelectIP(bool forced);
    // The tray menu's "Select I&P".
    void SelectIP1Click() { ShowSelectIP(false); }

  private:
    friend class SelectIpForm;
    bool StoredAutoSelect() const;
    bool Choose(SelectIpForm& form, std::optional<int> row, bool alwaysThisLocation);
    void Launch(const TServer& node, const std::string& logText);

    SessionValues& session_;
    SelectionPorts ports_;
    TunnelLaunch launch_;
    int lastIndex_ = 0;  // the row chosen at the last OK
};

// One opening of the selection dialog: what it shows, and its handlers.
class SelectIpForm {
  public:
    SelectIpForm(NodeSelection& selection, std::vector<SelectIpRow> rows, int selectedRow, bool forced);

    const std::vector<SelectIpRow>& Rows() const { return rows_; }
    // The row selected when the dialog opens; nullopt when it is no row of this list.
    std::optional<int> SelectedRow() const;
    bool CancelEnabled() const { return !forced_; }

    // The state of "Always choose this location" when the dialog shows.
    bool FormShow() const;
    // OK or a double click with `row` selected: true when the dialog closes.
    bool btnOKClick(std::optional<int> row, bool alwaysThisLocation);

  private:
    NodeSelection& selection_;
    std::vector<SelectIpRow> rows_;
    int selectedRow_;
    bool forced_;
};

// The port that shows TfrmSelectIP modally for one opening; the dialog calls the form's handlers.
class SelectIpDialogs {
  public:
    virtual ~SelectIpDialogs() = default;
    virtual void ShowModal(SelectIpForm& form) = 0;
};
