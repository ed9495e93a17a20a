// The tunnel client's process through CreateProcessA, with its output on an anonymous pipe, in a
// job that ends the client with the program's process: no client outlives its program, however
// the program ends (killed, crashed, its session ended).
#pragma once

#include "common/unique_handle_win.h"
#include "tunnel/tunnel_process.h"

class WinTunnelProcess final : public TunnelProcess {
  public:
    WinTunnelProcess();
    bool Start(const std::string& application, const std::string& commandLine) override;
    bool Started() const override { return bool(process_); }
    bool Running() const override;
    std::string ReadOutput(std::size_t maxBytes) override;
    bool Terminate() override;
    void Release() override;

  private:
    UniqueHandle job_;  // closed by the system when the program's process ends, which ends the client
    UniqueHandle process_;
    UniqueHandle thread_;
    UniqueHandle pipeRead_;  // PipeRead: the program's end of the client's output
};
