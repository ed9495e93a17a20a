// The native messaging host of the Masq NG add-on. Firefox starts it when the add-on connects
// (its arguments, the manifest's path and the add-on's id, are not needed) and talks to it on
// standard input and output. It only reads the state file; it writes nothing anywhere else.
// Exit codes: 0 Firefox let go; 1 Firefox's bytes were no native messages, or it went away.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <string>

#include "firefox/host/host_session.h"
#include "firefox/host/input_pump.h"
#include "firefox/host/os.h"
#include "firefox/host/state_file.h"

namespace {

using namespace firefox_host;
using Clock = std::chrono::steady_clock;

class TempStateFile : public StateFileSource {
  public:
    explicit TempStateFile(std::string path) : path_(std::move(path)) {}
    FileSnapshot Read() override { return os::ReadPlainFile(path_, kMaxStateFileSize); }

  private:
    std::string path_;
};

class StandardOutput : public MessageSink {
  public:
    bool Send(std::string_view json) override { return os::WriteOutput(Frame(json)); }
};

}  // namespace

int main() {
    os::PrepareProcess();
    TempStateFile file(os::StateFilePath());
    StandardOutput addon;
    HostSession session(file, addon, os::AnsiToUtf8);

    InputPump input_pump(os::ReadInput);
    std::array<std::uint8_t, 4096> buffer{};
    Clock::time_point next_tick = Clock::now();
    while (true) {
        if (Clock::now() >= next_tick) {
            if (!session.Tick())
                return 1;
            next_tick = Clock::now() + kPollInterval;
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next_tick - Clock::now());
        const InputPump::Input input = input_pump.Wait(buffer, std::max(wait, std::chrono::milliseconds(0)));
        if (input.kind == InputPump::Input::Kind::kClosed)
            return 0;
        if (input.kind == InputPump::Input::Kind::kBytes && !session.Receive(std::span(buffer).first(input.size)))
            return 1;
    }
}
