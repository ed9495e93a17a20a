// Reads Firefox's bytes on a thread of its own, so that the host can wait for them and for
// its next look at the state file at once: a pipe on Windows cannot be waited on with a
// time-out, and a blocking read works on every kind of standard input.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace firefox_host {

class InputPump {
  public:
    // Blocks until some bytes arrive; 0 when the input is closed or broken.
    using BlockingRead = std::size_t (*)(std::span<std::uint8_t> buffer);

    struct Input {
        enum class Kind { kBytes, kNothingYet, kClosed };
        Kind kind;
        std::size_t size = 0;  // kBytes: bytes put into the buffer
    };

    // Starts the reading thread. It is never joined: it may sit in a read when the host ends.
    explicit InputPump(BlockingRead read);

    // Waits at most `timeout` for bytes; what does not fit into `buffer` stays for the next call.
    Input Wait(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout);

  private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        std::string pending;
        bool closed = false;
    };
    static void Pump(BlockingRead read, std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace firefox_host
