// The port to the tunnel client's process: started with its output (standard output and error)
// on a pipe and without a window, polled, read, and ended. At most one client at a time.
#pragma once

#include <cstddef>
#include <string>

class TunnelProcess {
  public:
    virtual ~TunnelProcess() = default;

    // Starts `application` (its full path, so that no other program can stand in for it) with
    // `commandLine`, exactly as given. Any handles of an earlier client are released first.
    // False when it did not start; nothing of the attempt stays open then.
    virtual bool Start(const std::string& application, const std::string& commandLine) = 0;
    // A client was started and its handles are held.
    virtual bool Started() const = 0;
    // The client is still running (no handles means no).
    virtual bool Running() const = 0;
    // What the client printed, at most `maxBytes` of it, taken out of the pipe; empty when
    // nothing waits or the pipe is gone.
    virtual std::string ReadOutput(std::size_t maxBytes) = 0;
    // Ends the client; false when the system refused.
    virtual bool Terminate() = 0;
    // Closes the process, thread and pipe handles and forgets them.
    virtual void Release() = 0;
};
