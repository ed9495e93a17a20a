// The selection dialog without a window: each opening is kept with what it showed, and the
// test's script plays the user (by default the user closes it at once, as Cancel does).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "directory/node_selection.h"

class FakeSelectIpDialogs final : public SelectIpDialogs {
  public:
    struct Opening {
        std::vector<SelectIpRow> rows;
        std::optional<int> selectedRow;
        bool cancelEnabled = true;
        bool checked = false;  // the check box as FormShow set it
    };
    std::vector<Opening> openings;
    // Plays one opening: presses OK on rows until the form closes, or returns to cancel.
    std::function<void(SelectIpForm&)> user;

    void ShowModal(SelectIpForm& form) override {
        openings.push_back({form.Rows(), form.SelectedRow(), form.CancelEnabled(), form.FormShow()});
        if (user)
            user(form);
    }
};
