// A program with a tunnel client, for the Windows tests: it starts CLIENT through WinTunnelProcess
// as the program starts warden.exe, writes the client's process id to ID_FILE, and waits to be
// ended.
//   client_holder CLIENT ID_FILE
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <fstream>
#include <string>

#include "common/unique_handle_win.h"
#include "tunnel/tunnel_process_win.h"

namespace {

DWORD FirstChild() {
    UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{sizeof(entry)};
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == GetCurrentProcessId())
            return entry.th32ProcessID;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    WinTunnelProcess client;
    if (!client.Start(argv[1], std::string(argv[1]) + " waits"))
        return 1;
    std::ofstream(argv[2]) << FirstChild();
    Sleep(INFINITE);
}
