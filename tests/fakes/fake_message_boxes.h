// MessageBoxes for logic tests: records every message and answers with scripted results.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/messages/message_boxes.h"

class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        std::string caption;
        std::string text;
        MessageKind kind = MessageKind::Warning;
        ButtonSet buttons = kButtonsOK;  // the notice's one "&OK" shows as kButtonsOK
        bool notice = false;
    };

    std::vector<Shown> shown;
    // Results for the next ShowMessageBox calls, in order. When they run out, the leftmost
    // button's result comes back, as if the user pressed the focused button.
    std::deque<int> answers;
    // Runs while a box or a notice is open, as its modal loop would run ticks and other events.
    std::function<void(const Shown&)> whileOpen;

    int ShowMessageBox(const std::string& caption,
                       const std::string& text,
                       MessageKind kind,
                       ButtonSet buttons) override {
        shown.push_back({caption, text, kind, buttons, false});
        if (whileOpen)
            whileOpen(shown.back());
        if (answers.empty()) {
            std::vector<DialogButton> slots = FillButtonSlots(buttons, [](unsigned) { return std::string(); });
            return slots.empty() ? kResultCancel : slots.front().result;
        }
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void ShowNotice(const std::string& caption, const std::string& text) override {
        shown.push_back({caption, text, MessageKind::Warning, kButtonsOK, true});
        if (whileOpen)
            whileOpen(shown.back());
    }

    // The texts of the boxes and notices, in the order they were shown.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Shown& box : shown)
            texts.push_back(box.text);
        return texts;
    }
};
