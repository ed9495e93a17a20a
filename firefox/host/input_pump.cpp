#include "firefox/host/input_pump.h"

#include <algorithm>
#include <array>
#include <thread>

namespace firefox_host {

namespace {
// The reader stops taking bytes while this many wait for the host: a flood stays bounded.
constexpr std::size_t kMaxPending = 64 * 1024;
}  // namespace

InputPump::InputPump(BlockingRead read) {
    std::thread(Pump, read, shared_).detach();
}

InputPump::Input InputPump::Wait(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) {
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait_for(lock, timeout, [this] { return !shared_->pending.empty() || shared_->closed; });
    if (shared_->pending.empty())
        return {shared_->closed ? Input::Kind::kClosed : Input::Kind::kNothingYet};
    const std::size_t size = std::min(buffer.size(), shared_->pending.size());
    std::copy_n(shared_->pending.begin(), size, buffer.begin());
    shared_->pending.erase(0, size);
    shared_->changed.notify_all();
    return {Input::Kind::kBytes, size};
}

void InputPump::Pump(BlockingRead read, std::shared_ptr<Shared> shared) {
    std::array<std::uint8_t, 4096> chunk{};
    while (true) {
        {
            std::unique_lock lock(shared->mutex);
            shared->changed.wait(lock, [&shared] { return shared->pending.size() < kMaxPending; });
        }
        const std::size_t got = read(chunk);
        std::lock_guard lock(shared->mutex);
        if (got == 0) {
            shared->closed = true;
            shared->changed.notify_all();
            return;
        }
        shared->pending.append(reinterpret_cast<const char*>(chunk.data()), got);
        shared->changed.notify_all();
    }
}

}  // namespace firefox_host
