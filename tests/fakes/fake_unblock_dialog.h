// The unblock advice dialog for logic tests: records what it showed and answers as scripted; a
// test may press the help button while it is open.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "ui/advice/unblock_dialog.h"

class FakeUnblockDialog final : public UnblockDialog {
  public:
    std::vector<UnblockAdviceContent> shown;
    std::deque<UnblockChoice> answers;  // for the next dialogs, in order; then Close
    // Runs while the dialog is open, with its help button.
    std::function<void(const std::function<void()>& helpClick)> whileOpen;
    std::function<void()> onClosed;  // the moment the dialog has gone

    void ShowModal(UnblockForm& form) override {
        shown.push_back(form.Content());
        if (whileOpen)
            whileOpen([&form] { form.btnHelpClick(); });
        const UnblockChoice answer = answers.empty() ? UnblockChoice::Close : answers.front();
        if (!answers.empty())
            answers.pop_front();
        if (answer == UnblockChoice::Reconnect)
            form.btnReconnectClick();
        else
            form.btnCloseClick();
        if (onClosed)
            onClosed();
    }
};
