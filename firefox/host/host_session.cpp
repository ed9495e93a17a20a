#include "firefox/host/host_session.h"

#include "firefox/host/state_file.h"

namespace firefox_host {

namespace {
constexpr std::string_view kStateRequest = "\"state\"";
}  // namespace

bool HostSession::Tick() {
    ProxyState state = ReadState();
    const bool settled = state == last_read_;
    last_read_ = std::move(state);
    if (!settled || last_read_ == told_)
        return true;
    return Tell(*last_read_);
}

bool HostSession::Receive(std::span<const std::uint8_t> bytes) {
    while (true) {
        const RequestReader::Result result = requests_.Feed(bytes);
        bytes = bytes.subspan(result.consumed);
        switch (result.event) {
            case RequestReader::Event::kInvalid:
                return false;
            case RequestReader::Event::kNeedMore:
                return true;
            case RequestReader::Event::kMessage:
                if (!Answer(requests_.message()))
                    return false;
                break;
        }
    }
}

ProxyState HostSession::ReadState() {
    FileSnapshot snapshot = file_.Read();
    ProxyState state;
    switch (snapshot.kind) {
        case FileSnapshot::Kind::kContent:
            return ParseStateFile(snapshot.content);
        case FileSnapshot::Kind::kMissing:
            state.standing = Standing::kMissing;
            break;
        case FileSnapshot::Kind::kUnreadable:
            state.standing = Standing::kUnreadable;
            break;
    }
    return state;
}

bool HostSession::Tell(const ProxyState& state) {
    told_ = state;
    return addon_.Send(StateMessage(state, decode_));
}

bool HostSession::Answer(std::string_view request) {
    if (request != kStateRequest)
        return addon_.Send(UnknownRequestMessage());
    last_read_ = ReadState();
    return Tell(*last_read_);
}

}  // namespace firefox_host
