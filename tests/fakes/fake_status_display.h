// The tray as the session's display: the last look, every balloon, and the menu items' states,
// which start disabled for the three that follow the state, as in the program.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/tray/status_display.h"

class FakeStatusDisplay final : public StatusDisplay {
  public:
    struct Balloon {
        std::string title;
        std::string text;
        BalloonIcon icon = BalloonIcon::None;
        int seconds = 0;
        bool operator==(const Balloon&) const = default;
    };

    TrayLook look;
    std::vector<Balloon> balloons;
    std::map<TrayMenuItem, bool> enabled = {{TrayMenuItem::Masq1, false},
                                            {TrayMenuItem::StopMasq1, false},
                                            {TrayMenuItem::SelectIP1, false}};

    void ShowLook(const TrayLook& shown) override { look = shown; }
    void ShowBalloon(const std::string& title, const std::string& text, BalloonIcon icon, int seconds) override {
        balloons.push_back({title, text, icon, seconds});
    }
    void SetMenuItemEnabled(TrayMenuItem item, bool on) override { enabled[item] = on; }
    bool IsMenuItemEnabled(TrayMenuItem item) const override {
        auto found = enabled.find(item);
        return found == enabled.end() || found->second;
    }

    // The balloons' texts, in the order they were shown.
    std::vector<std::string> BalloonTexts() const {
        std::vector<std::string> texts;
        for (const Balloon& balloon : balloons)
            texts.push_back(balloon.text);
        return texts;
    }
};
