#include "tests/driver/program.h"

#include <vector>

namespace driver {

Program::Program(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

Program::~Program() {
    Terminate();
}

bool Program::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(std::chrono::milliseconds timeout) {
    if (!process_ || WaitForSingleObject(process_.Get(), DWORD(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void Program::Terminate() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 10000);
    }
}

bool EndProcess(DWORD id) {
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    return process && TerminateProcess(process.Get(), 1) && WaitForSingleObject(process.Get(), 10000) == WAIT_OBJECT_0;
}

bool ProcessEnded(DWORD id) {
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    return !process || WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

}  // namespace driver
