// A program the test started: started with CreateProcess, always ended by its own handle.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "common/unique_handle_win.h"

namespace driver {

class Program {
  public:
    // Starts `commandLine` in `folder`; check Running() or ExitCode() afterwards.
    Program(const std::string& commandLine, const std::string& folder = {});
    ~Program();  // ends the process if it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return bool(process_); }
    DWORD Id() const { return id_; }
    bool Running() const;
    // The exit code once the process has ended within `timeout`.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);
    void Terminate();

  private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// Ends the process `id` (one the program under test started) and waits for its end; false when it
// could not be ended.
bool EndProcess(DWORD id);
// Whether the process `id` has ended (or never was).
bool ProcessEnded(DWORD id);

}  // namespace driver
