// warden -name U -key K -do -H LOCALPORT -masq -port P -say HOST
// A local SOCKS4/4a/5 proxy on 127.0.0.1:LOCALPORT that relays every connection through the
// node HOST:P (SOCKS5, user U, password K). See README.md for its status lines.
#include <exception>
#include <variant>

#include "warden/app/app.h"
#include "warden/process/command_line.h"
#include "warden/process/os.h"
#include "warden/process/status.h"

int main(int argc, char** argv) {
    using namespace warden;
    os::PrepareProcess();
    const std::vector<std::string> tokens = os::CommandTokens(argc, argv);
    auto parsed = ParseCommandLine(tokens);
    if (const auto* error = std::get_if<CommandLineError>(&parsed)) {
        os::WriteStatusLine(StatusLine(Status::kBadOptions, error->message));
        return static_cast<int>(ExitCode::kBadOptions);
    }
    try {
        asio::io_context io(1);
        App app(io, std::get<Options>(std::move(parsed)));
        return static_cast<int>(app.Run());
    } catch (const std::exception& failure) {
        os::WriteStatusLine(StatusLine(Status::kLocalFault, failure.what()));
        return static_cast<int>(ExitCode::kLocalFault);
    }
}
