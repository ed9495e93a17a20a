#include "warden/app/app.h"

#include <string>

#include "warden/net/early_data_probe.h"
#include "warden/net/node_probe.h"
#include "warden/net/node_failure.h"
#include "warden/process/os.h"
#include "warden/shadowsocks/key_derivation.h"
#include "warden/shadowsocks/method.h"

namespace warden {

namespace {
// Big enough that a bulk download needs few system calls; an idle tunnel holds none of them.
constexpr std::size_t kRelayBufferSize = 128 * 1024;
constexpr std::size_t kSpareRelayBuffers = 16;

// The node as warden names it: an address stays an address, a name stays a name.
socks::Destination NodeAddress(const std::string& host, std::uint16_t port) {
    std::error_code error;
    const asio::ip::address address = asio::ip::make_address(host, error);
    if (error)
        return {host, port};
    if (address.is_v4())
        return {address.to_v4().to_bytes(), port};
    return {address.to_v6().to_bytes(), port};
}

// A user that names a Shadowsocks method makes the node a Shadowsocks node and the key its
// password, as a Shadowsocks link names a server; any other user is a SOCKS5 node's.
net::NodeTarget Node(const Options& options) {
    net::NodeTarget node{{}, options.user, options.key, NodeAddress(options.node_host, options.node_port)};
    node.method = shadowsocks::MethodNamed(options.user);
    if (node.method)
        node.password_key = shadowsocks::PasswordKey(options.key, node.method->key_size);
    return node;
}
}  // namespace

App::App(asio::io_context& io, Options options)
    : io_(io),
      options_(std::move(options)),
      context_(std::make_shared<net::RelayContext>(
          io.get_executor(),
          Node(options_),
          kRelayBufferSize,
          kSpareRelayBuffers,
          [this] { monitor_.CheckSoon(); })),
      server_(io.get_executor(), context_),
      monitor_(io.get_executor(),
               context_->node,
               {.report = [this](Status status, std::string_view detail) { Report(status, detail); },
                .lost = [this] { NodeLost(); },
                .back = [this] { ServeFromNode(); },
                .gone = [this] { End(ExitCode::kNodeLost); }}),
      stop_signals_(io) {}

ExitCode App::Run() {
    os::AddStopSignals(stop_signals_);
    stop_signals_.async_wait([this](std::error_code error, int) {
        if (error)
            return;
        Report(Status::kStopped);
        End(ExitCode::kStopped);
    });
    asio::co_spawn(io_, Start(), [this](std::exception_ptr failure) {
        if (!failure)
            return;
        Report(Status::kLocalFault, "internal error");
        End(ExitCode::kLocalFault);
    });
    io_.run();
    return exit_code_;
}

asio::awaitable<void> App::Start() {
    Report(Status::kSearching);
    net::tcp::resolver resolver(io_);
    std::error_code error;
    context_->node.endpoints = co_await resolver.async_resolve(options_.node_host, std::to_string(options_.node_port),
                                                               net::tcp::resolver::numeric_service, net::Await(error));
    if (!error) {
        Report(Status::kConnecting, options_.node_host + ":" + std::to_string(options_.node_port));
        const auto started = std::chrono::steady_clock::now();
        const auto probe = net::NodeProbe::Create(io_.get_executor(), context_->node);
        error = co_await probe->Connect();
        const auto connected = std::chrono::steady_clock::now();
        if (!error) {
            Report(Status::kConnected);
            Report(Status::kIdentifying);
            error = co_await probe->Check();
        }
        // The check's connection becomes the first one ready, where it still can be.
        if (auto checked = error ? std::nullopt : probe->TakeCheckedSocket())
            context_->node_pool.Adopt(std::move(*checked), std::chrono::steady_clock::now() - started);
        else if (!error)
            context_->node_pool.RecordDialTime(connected - started);
    }
    if (error) {
        Report(NodeFailureStatus(error), error.message());
        co_return End(ExitCode::kNodeFailedAtStart);
    }

    if ((error = server_.Listen(options_.local_port))) {
        Report(Status::kLocalFault, "port " + std::to_string(options_.local_port) + ": " + error.message());
        co_return End(ExitCode::kLocalFault);
    }
    server_.Start();
    monitor_.Start();
    Report(Status::kReady, "127.0.0.1:" + std::to_string(options_.local_port));
    ServeFromNode();
}

void App::ServeFromNode() {
    context_->node_pool.Start();
    // A Shadowsocks request always carries the program's first bytes: nothing to find out.
    if (!context_->node.shadowsocks())
        asio::co_spawn(io_, ProbeEarlyData(node_generation_), asio::detached);
}

void App::NodeLost() {
    ++node_generation_;
    context_->node_keeps_early_data = false;
    context_->node_pool.Stop();  // its connections are of no use now, and would hold places on a full node
}

asio::awaitable<void> App::ProbeEarlyData(unsigned generation) {
    const bool keeps = co_await net::NodeKeepsEarlyData(io_.get_executor(), context_->node);
    if (generation == node_generation_)
        context_->node_keeps_early_data = keeps;
}

void App::Report(Status status, std::string_view detail) {
    os::WriteStatusLine(StatusLine(status, detail));
}

void App::End(ExitCode code) {
    exit_code_ = code;
    io_.stop();
}

}  // namespace warden
