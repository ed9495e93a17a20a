// What the host's logic needs of the system: the state file and the way to the add-on.
#pragma once

#include <string>
#include <string_view>

namespace firefox_host {

struct FileSnapshot {
    enum class Kind { kContent, kMissing, kUnreadable };
    Kind kind = Kind::kMissing;
    std::string content;  // kContent: at most the size limit plus one byte, so "too large" shows
};

class StateFileSource {
  public:
    virtual ~StateFileSource() = default;
    // Reads the whole file now; never writes, never holds it open afterwards.
    virtual FileSnapshot Read() = 0;
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // Sends one JSON message whole; false when the add-on can no longer be reached.
    virtual bool Send(std::string_view json) = 0;
};

}  // namespace firefox_host
