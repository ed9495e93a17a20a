// The tunnel client's process in memory: the test says what it printed and whether it still
// runs, and sees what was started, read, ended and released.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "tunnel/tunnel_process.h"

class FakeTunnelProcess final : public TunnelProcess {
  public:
    struct Launch {
        std::string application;
        std::string commandLine;
    };

    std::vector<Launch> launches;
    bool startFails = false;
    bool terminateFails = false;
    bool started = false;
    bool running = false;
    std::string output;  // printed and not yet read
    int terminations = 0;
    int releases = 0;
    std::vector<std::size_t> readSizes;  // the largest read asked for, each time

    bool Start(const std::string& application, const std::string& commandLine) override {
        launches.push_back({application, commandLine});
        if (startFails)
            return false;
        started = running = true;
        return true;
    }
    bool Started() const override { return started; }
    bool Running() const override { return started && running; }
    std::string ReadOutput(std::size_t maxBytes) override {
        readSizes.push_back(maxBytes);
        std::string read = output.substr(0, std::min(maxBytes, output.size()));
        output.erase(0, read.size());
        return read;
    }
    bool Terminate() override {
        ++terminations;
        if (terminateFails)
            return false;
        running = false;
        return true;
    }
    void Release() override {
        ++releases;
        started = false;
    }
};
