#include "platform/win32/Win32Commands.h"

#include "platform/Text.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/InheritedHandles.h"
#include "platform/win32/Win32Handle.h"

namespace platform::win32 {

namespace {

constexpr DWORD pipeBytes = 64 * 1024;
constexpr DWORD pollMs = 20;
constexpr DWORD terminationWaitMs = 5000;

struct ChildProcess {
    UniqueHandle process;
    UniqueHandle thread;
};

Status openNullDevice(UniqueHandle& handle, DWORD access)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    handle = ownHandle(CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle ? ErrorSuccess : static_cast<Status>(GetLastError());
}

// The read end stays with us (not inheritable); the write end is handed to the tool.
Status createOutputPipe(UniqueHandle& readEnd, UniqueHandle& writeEnd)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    if (!CreatePipe(&reader, &writer, &inherit, pipeBytes))
        return static_cast<Status>(GetLastError());
    readEnd.reset(reader);
    writeEnd.reset(writer);
    if (!SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0))
        return static_cast<Status>(GetLastError());
    return ErrorSuccess;
}

Status startProcess(const std::wstring& program, const std::vector<std::wstring>& arguments, DWORD flags,
                    STARTUPINFOW& startup, bool inheritHandles, ChildProcess& child)
{
    std::wstring commandLine = buildCommandLine(program, arguments);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, flags, nullptr,
                        nullptr, &startup, &info))
        return static_cast<Status>(GetLastError());
    child.process.reset(info.hProcess);
    child.thread.reset(info.hThread);
    return ErrorSuccess;
}

// A job that ends every process in it when its last handle closes: a tool that runs out of time is ended
// with whatever it started, which TerminateProcess alone would leave running with our pipe.
UniqueHandle createKillOnCloseJob()
{
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job)
        return job;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
        job.reset();
    return job;
}

// Starts the tool suspended, so that it cannot start anything before it is in the job. Windows 7 refuses a
// second job for a process that is already in one (as under some launchers); the tool then runs outside a
// job (`job` is let go) and only the tool itself can be ended.
Status startInJob(const std::wstring& program, const std::vector<std::wstring>& arguments, STARTUPINFOEXW& startup,
                  UniqueHandle& job, ChildProcess& child)
{
    const DWORD flags = CREATE_NO_WINDOW | CREATE_SUSPENDED | EXTENDED_STARTUPINFO_PRESENT;
    const Status status = startProcess(program, arguments, flags, startup.StartupInfo, true, child);
    if (status != ErrorSuccess)
        return status;
    if (job && !AssignProcessToJobObject(job.get(), child.process.get()))
        job.reset();
    if (ResumeThread(child.thread.get()) == static_cast<DWORD>(-1)) {
        const Status resumeError = static_cast<Status>(GetLastError());
        TerminateProcess(child.process.get(), resumeError);
        return resumeError;
    }
    return ErrorSuccess;
}

// Reads what is waiting in the pipe without blocking: a grandchild that inherited the write end can
// keep the pipe open long after the tool itself has ended.
void drain(HANDLE pipe, std::string& output)
{
    char chunk[4096];
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0)
            return;
        DWORD read = 0;
        const DWORD wanted = available < sizeof(chunk) ? available : static_cast<DWORD>(sizeof(chunk));
        if (!ReadFile(pipe, chunk, wanted, &read, nullptr) || read == 0)
            return;
        output.append(chunk, read);
    }
}

// Waits for the tool while draining its output; false when the time ran out first.
bool waitDraining(HANDLE process, HANDLE pipe, std::uint32_t timeoutMs, std::string& output)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        drain(pipe, output);
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        const ULONGLONG left = deadline - now;
        const DWORD slice = left < pollMs ? static_cast<DWORD>(left) : pollMs;
        if (WaitForSingleObject(process, slice) == WAIT_OBJECT_0)
            return true;
    }
}

} // namespace

Status Win32Commands::run(const std::wstring& program, const std::vector<std::wstring>& arguments,
                          std::uint32_t timeoutMs, CommandResult& result)
{
    result = CommandResult{};
    if (!isAbsolutePath(program))
        return ErrorBadPathname;
    UniqueHandle readEnd;
    UniqueHandle writeEnd;
    UniqueHandle input;
    UniqueHandle errors;
    Status status = createOutputPipe(readEnd, writeEnd);
    if (status == ErrorSuccess)
        status = openNullDevice(input, GENERIC_READ);
    if (status == ErrorSuccess)
        status = openNullDevice(errors, GENERIC_WRITE);
    if (status != ErrorSuccess)
        return status;

    InheritedHandles inherited({input.get(), writeEnd.get(), errors.get()});
    status = inherited.prepare();
    if (status != ErrorSuccess)
        return status;
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.get();
    startup.StartupInfo.hStdOutput = writeEnd.get();
    startup.StartupInfo.hStdError = errors.get();
    startup.lpAttributeList = inherited.list();
    UniqueHandle job = createKillOnCloseJob();
    ChildProcess child;
    status = startInJob(program, arguments, startup, job, child);
    writeEnd.reset();
    if (status != ErrorSuccess)
        return status;

    if (!waitDraining(child.process.get(), readEnd.get(), timeoutMs, result.output)) {
        if (!job || !TerminateJobObject(job.get(), WAIT_TIMEOUT))
            TerminateProcess(child.process.get(), WAIT_TIMEOUT);
        WaitForSingleObject(child.process.get(), terminationWaitMs);
        drain(readEnd.get(), result.output);
        return WaitTimeout;
    }
    drain(readEnd.get(), result.output);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(child.process.get(), &exitCode))
        return static_cast<Status>(GetLastError());
    result.exitCode = exitCode;
    return ErrorSuccess;
}

Status Win32Commands::startDetached(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    if (!isAbsolutePath(program))
        return ErrorBadPathname;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ChildProcess child;
    return startProcess(program, arguments, CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP, startup, false, child);
}

std::wstring Win32Commands::consoleText(const std::string& bytes) const
{
    if (bytes.empty())
        return {};
    const UINT codePage = GetOEMCP();
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(units > 0 ? units : 0, L'\0');
    if (units > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), length, text.data(), units);
    return text;
}

} // namespace platform::win32
