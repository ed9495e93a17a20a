#include <windows.h>
#include <winsock2.h>

#include <csignal>

#include "warden/process/command_line.h"
#include "warden/process/os.h"

namespace warden::os {

void PrepareProcess() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

std::vector<std::string> CommandTokens(int, char**) {
    return SplitAtBlanks(GetCommandLineA());
}

void WriteStatusLine(std::string_view line) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    WriteFile(output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void PrepareListener(asio::ip::tcp::acceptor& acceptor) {
    using ExclusiveAddressUse = asio::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
    std::error_code ignored;
    acceptor.set_option(ExclusiveAddressUse(true), ignored);
}

void AddStopSignals(asio::signal_set& signals) {
    signals.add(SIGINT);
    signals.add(SIGTERM);
    signals.add(SIGBREAK);
}

}  // namespace warden::os
