// A stand-in for the tunnel client in the Windows tests: it prints what it is told, each piece in
// a write of its own, then waits to be ended or exits.
//   status_printer [--command-line] [--flood MB] [--exit CODE] PIECE...
// --command-line prints the command line it was given first; --flood writes MB mebibytes of
// status lines; "\r" and "\n" in a piece stand for CR and LF. Without --exit it waits forever.
// Started as the client is (an unquoted path that may hold blanks, ending in "warden"), its own
// words begin after the word that ends the path.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Write(const std::string& bytes) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

std::string Unescaped(const char* piece) {
    std::string bytes;
    for (const char* c = piece; *c; ++c) {
        if (c[0] == '\\' && (c[1] == 'r' || c[1] == 'n')) {
            bytes += c[1] == 'r' ? '\r' : '\n';
            ++c;
        } else {
            bytes += *c;
        }
    }
    return bytes;
}

int FirstOwnWord(int argc, char** argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.size() >= 6 && word.compare(word.size() - 6, 6, "warden") == 0)
            return i + 1;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    int exitCode = -1;
    for (int i = FirstOwnWord(argc, argv); i < argc; ++i) {
        if (std::strcmp(argv[i], "--command-line") == 0) {
            Write(GetCommandLineA());
        } else if (std::strcmp(argv[i], "--exit") == 0 && i + 1 < argc) {
            exitCode = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--flood") == 0 && i + 1 < argc) {
            const std::string line = "160037 Node lost\n";
            std::string block;
            while (block.size() < 65536)
                block += line;
            for (long long left = std::atoll(argv[++i]) << 20; left > 0; left -= static_cast<long long>(block.size()))
                Write(block);
        } else {
            Write(Unescaped(argv[i]));
        }
    }
    if (exitCode >= 0)
        return exitCode;
    Sleep(INFINITE);
}
