// Records what the program asked the shell to open.
#pragma once

#include "platform/shell.h"

#include <string>
#include <vector>

class FakeShell final : public Shell {
  public:
    struct Opened {
        std::string file;
        std::string parameters;
        bool operator==(const Opened&) const = default;
    };
    std::vector<Opened> opened;

    void Open(std::string_view file, std::string_view parameters) override {
        opened.push_back({std::string(file), std::string(parameters)});
    }
};
