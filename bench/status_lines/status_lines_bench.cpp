// Feeds 100,000 status lines to the tunnel session the way the pipe gives them (reads of at most
// 255 bytes, lines cut across reads) and prints the cost of interpreting one line at the start,
// the middle and the end of the run: it must not grow with what the client printed before.
#include <chrono>
#include <cstdio>
#include <string>

#include "settings/activity_log.h"
#include "tests/fakes/fake_folder_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_status_display.h"
#include "tests/fakes/fake_timer.h"
#include "tests/fakes/recording_browser_proxy.h"
#include "tunnel/tunnel_process.h"
#include "tunnel/tunnel_session.h"
#include "ui/tray/masq_status.h"

namespace {

constexpr int kLines = 100000;
constexpr int kBlock = 1000;  // lines timed together

using Clock = std::chrono::steady_clock;

// A client that prints status lines without end.
class ChattyClient final : public TunnelProcess {
  public:
    bool Start(const std::string&, const std::string&) override { return true; }
    bool Started() const override { return true; }
    bool Running() const override { return true; }
    std::string ReadOutput(std::size_t maxBytes) override {
        while (waiting_.size() < maxBytes)
            waiting_ += (printed_++ % 2 ? "160037 Node lost\r\n" : "160199 Reconnecting: 1 of 3\r\n");
        std::string read = waiting_.substr(0, maxBytes);
        waiting_.erase(0, maxBytes);
        return read;
    }
    bool Terminate() override { return true; }
    void Release() override {}

  private:
    std::string waiting_;
    long long printed_ = 0;
};

class CountingLog final : public ActivityLog {
  public:
    long long lines = 0;
    void Report(std::string_view) override { ++lines; }
};

}  // namespace

int main() {
    ProgramValues values;
    values.AppFolder = "C:\\Masq NG\\";
    SessionValues session;
    ChattyClient client;
    FakeTimer timRead, timReset;
    FakeFolderSystem folders;
    folders.files["C:\\Masq NG\\warden.exe"] = "";
    FakeMessageBoxes messages;
    CountingLog log;
    FakeStatusDisplay display;
    MasqStatus status(display);
    RecordingBrowserProxy proxy;
    TunnelSession tunnel(values, session, TunnelPorts{client, timRead, timReset, folders, messages, log, status, proxy},
                         TunnelCalls{});

    std::printf("status lines, %d lines in reads of at most 255 bytes\n", kLines);
    double blocks[kLines / kBlock];
    for (int block = 0; block < kLines / kBlock; ++block) {
        const long long target = log.lines + kBlock;
        const long long before = log.lines;
        const auto started = Clock::now();
        while (log.lines < target)
            tunnel.timReadTimer();
        blocks[block] =
            std::chrono::duration<double, std::micro>(Clock::now() - started).count() / double(log.lines - before);
    }
    for (int block : {0, 1, kLines / kBlock / 2, kLines / kBlock - 1})
        std::printf("  lines %6d-%6d: %8.3f us/line\n", block * kBlock + 1, (block + 1) * kBlock, blocks[block]);
    std::printf("  end / start (lines 1001-2000): %.2f  (goal: flat, about 1)\n",
                blocks[kLines / kBlock - 1] / blocks[1]);
    return 0;
}
