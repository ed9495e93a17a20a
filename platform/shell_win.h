// The shell's "open" verb through ShellExecuteA.
#pragma once

#include "platform/shell.h"

class WinShell final : public Shell {
  public:
    void Open(std::string_view file, std::string_view parameters) override;
};
