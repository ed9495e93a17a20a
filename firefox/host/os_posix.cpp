#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "firefox/host/os.h"
#include "firefox/host/state_file.h"

namespace firefox_host::os {

namespace {

class UniqueFd {
  public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0)
            close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

void PrepareProcess() {
    std::signal(SIGPIPE, SIG_IGN);
}

std::string StateFilePath() {
    const char* tmpdir = std::getenv("TMPDIR");
    std::string folder = tmpdir && *tmpdir ? tmpdir : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder + std::string(kStateFileName);
}

FileSnapshot ReadPlainFile(const std::string& path, std::size_t limit) {
    // Non-blocking: a FIFO put in the file's place must not stop the host.
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileSnapshot::Kind::kMissing : FileSnapshot::Kind::kUnreadable};
    struct stat info {};
    if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {FileSnapshot::Kind::kUnreadable};
    FileSnapshot snapshot{FileSnapshot::Kind::kContent};
    snapshot.content.resize(limit + 1);
    std::size_t held = 0;
    while (held < snapshot.content.size()) {
        const ssize_t got = read(fd.get(), snapshot.content.data() + held, snapshot.content.size() - held);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {FileSnapshot::Kind::kUnreadable};
        if (got == 0)
            break;
        held += static_cast<std::size_t>(got);
    }
    snapshot.content.resize(held);
    return snapshot;
}

std::size_t ReadInput(std::span<std::uint8_t> buffer) {
    while (true) {
        const ssize_t got = read(STDIN_FILENO, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

bool WriteOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::string AnsiToUtf8(std::string_view text) {
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace firefox_host::os
