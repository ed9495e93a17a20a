#include "tunnel/tunnel_process_win.h"

#include <windows.h>

WinTunnelProcess::WinTunnelProcess() : job_(CreateJobObjectA(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job_ && !SetInformationJobObject(job_.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        job_.Reset();
}

bool WinTunnelProcess::Start(const std::string& application, const std::string& commandLine) {
    Release();
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return false;
    UniqueHandle pipeRead(readEnd), pipeWrite(writeEnd);
    // The client gets the write end only; a read end in its hands would be a stray handle there.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION started{};
    std::string line = commandLine;  // CreateProcessA may write into it
    // The application name is the client's full path: with a blank in the program's folder, an
    // unquoted command line alone could make Windows run another program (C:\Program.exe).
    // Suspended until it is in the job: it must not run a moment outside it.
    const BOOL ok = CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, TRUE,
                                   CREATE_NO_WINDOW | NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, nullptr, nullptr,
                                   &startup, &started);
    // Our copy of the write end goes at once, so the pipe breaks when the client ends.
    pipeWrite.Reset();
    if (!ok)
        return false;
    // Outside the job (the system refused it, say inside a job of another program that allows no
    // other) the client still runs; only its end with the program is no longer certain.
    if (job_)
        AssignProcessToJobObject(job_.Get(), started.hProcess);
    ResumeThread(started.hThread);
    process_.Reset(started.hProcess);
    thread_.Reset(started.hThread);
    pipeRead_ = std::move(pipeRead);
    return true;
}

bool WinTunnelProcess::Running() const {
    DWORD exitCode = 0;
    return process_ && GetExitCodeProcess(process_.Get(), &exitCode) && exitCode == STILL_ACTIVE;
}

std::string WinTunnelProcess::ReadOutput(std::size_t maxBytes) {
    if (!pipeRead_)
        return {};
    std::string buffer(maxBytes, '\0');
    DWORD waiting = 0;
    if (!PeekNamedPipe(pipeRead_.Get(), buffer.data(), DWORD(maxBytes), &waiting, nullptr, nullptr) || waiting == 0)
        return {};
    DWORD read = 0;
    if (!ReadFile(pipeRead_.Get(), buffer.data(), DWORD(maxBytes), &read, nullptr))
        read = 0;
    buffer.resize(read);
    return buffer;
}

bool WinTunnelProcess::Terminate() {
    return process_ && TerminateProcess(process_.Get(), 0);
}

void WinTunnelProcess::Release() {
    thread_.Reset();
    process_.Reset();
    pipeRead_.Reset();
}
