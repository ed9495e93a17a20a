#include <signal.h>
#include <unistd.h>

#include "warden/process/os.h"

namespace warden::os {

void PrepareProcess() {
    signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> CommandTokens(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

void WriteStatusLine(std::string_view line) {
    while (!line.empty()) {
        const ssize_t written = write(STDOUT_FILENO, line.data(), line.size());
        if (written <= 0)
            return;  // nobody reads any more: nothing to do about it
        line.remove_prefix(static_cast<std::size_t>(written));
    }
}

void PrepareListener(asio::ip::tcp::acceptor& acceptor) {
    std::error_code ignored;
    acceptor.set_option(asio::ip::tcp::acceptor::reuse_address(true), ignored);
}

void AddStopSignals(asio::signal_set& signals) {
    signals.add(SIGINT);
    signals.add(SIGTERM);
}

}  // namespace warden::os
