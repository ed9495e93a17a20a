#include "directory/node_selection.h"

#include <algorithm>

#include "directory/directory_texts.h"
#include "directory/random_pick.h"
#include "settings/activity_log.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "ui/tray/masq_status.h"

using namespace directory_text;

namespace {

// The dialog shows the box checked when the key was never written.
constexpr bool kAutoSelectShownByDefault = true;

SelectIpRow HeaderRow(int code) {
    TServer header;
    header.Country = code;
    header.IsCountry = true;
    return {CountryName(code), header};
}

// The caption cut to two characters after trimming, as the automatic choice logs it ("#3").
std::string ShortCaption(const std::string& caption) {
    const std::size_t first = caption.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : caption.substr(first, 2);
}

}  // namespace

std::vector<SelectIpRow> SelectionRows(const std::vector<TServer>& servers) {
    std::vector<SelectIpRow> rows;
    for (std::size_t i = 0; i < servers.size(); ++i) {
        if (i == 0 || servers[i].Country != servers[i - 1].Country)
            rows.push_back(HeaderRow(servers[i].Country));
        rows.push_back({kNodeRowIndent + servers[i].Caption, servers[i]});
    }
    return rows;
}

NodeSelection::NodeSelection(SessionValues& session, SelectionPorts ports, TunnelLaunch launch)
    : session_(session), ports_(ports), launch_(std::move(launch)) {}

bool NodeSelection::SelectCountry(int code) {
    const std::vector<TServer>& servers = session_.Servers;
    auto start = std::find_if(servers.begin(), servers.end(), [code](const TServer& s) { return s.Country == code; });
    if (start == servers.end()) {
        ports_.status.SetMasqStatus(DisplayState::Busy, kPleaseSelect, BalloonIcon::Info);
        ShowSelectIP(true);
        return false;
    }
    auto end = std::find_if(start, servers.end(), [code](const TServer& s) { return s.Country != code; });
    const int first = int(start - servers.begin());
    const int last = int(end - servers.begin()) - 1;
    // A copy: launching may replace the node list (a nested dialog, a new reply).
    const TServer node = servers[ports_.random.Pick(first, last)];
    session_.CurrentServer = node;
    launch_.sweep();
    Launch(node, kSelectIpLog + CountryName(node.Country) + " " + ShortCaption(node.Caption));
    return true;
}

void NodeSelection::Launch(const TServer& node, const std::string& logText) {
    ports_.log.Report(logText);
    launch_.masq(node);
}

void NodeSelection::ShowSelectIP(bool forced) {
    if (session_.Servers.empty())
        return;
    SelectIpForm form(*this, SelectionRows(session_.Servers), lastIndex_, forced);
    ports_.dialogs.ShowModal(form);
}

bool NodeSelection::StoredAutoSelect() const {
    return ports_.settings.ReadBool(kConfig, kAutoSelectCountry, kAutoSelectShownByDefault);
}

bool NodeSelection::Choose(SelectIpForm& form, std::optional<int> row, bool alwaysThisLocation) {
    ports_.settings.WriteBool(kConfig, kAutoSelectCountry, alwaysThisLocation);
    if (!row || *row < 0 || *row >= int(form.Rows().size()))
        return false;
    lastIndex_ = *row;
    const TServer chosen = form.Rows()[*row].server;
    if (chosen.IsCountry) {
        ports_.settings.WriteInteger(kConfig, kLastCountry, chosen.Country);
        return SelectCountry(chosen.Country);
    }
    launch_.sweep();
    session_.CurrentServer = chosen;
    Launch(chosen, kSelectIpLog + CountryName(chosen.Country) + " " + chosen.Caption);
    ports_.settings.WriteInteger(kConfig, kLastCountry, chosen.Country);
    return true;
}

SelectIpForm::SelectIpForm(NodeSelection& selection, std::vector<SelectIpRow> rows, int selectedRow, bool forced)
    : selection_(selection), rows_(std::move(rows)), selectedRow_(selectedRow), forced_(forced) {}

std::optional<int> SelectIpForm::SelectedRow() const {
    if (selectedRow_ < 0 || selectedRow_ >= int(rows_.size()))
        return std::nullopt;
    return selectedRow_;
}

bool SelectIpForm::FormShow() const {
    return selection_.StoredAutoSelect();
}

bool SelectIpForm::btnOKClick(std::optional<int> row, bool alwaysThisLocation) {
    return selection_.Choose(*this, row, alwaysThisLocation);
}
