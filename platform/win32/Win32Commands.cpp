#include "platform/win32/Win32Commands.h"

#include "platform/win32/CommandLine.h"
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
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, inheritHandles, flags, nullptr, nullptr,
                        &startup, &info))
        return static_cast<Status>(GetLastError());
    child.process.reset(info.hProcess);
    child.thread.reset(info.hThread);
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

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = errors.get();
    ChildProcess child;
    status = startProcess(program, arguments, CREATE_NO_WINDOW, startup, true, child);
    writeEnd.reset();
    if (status != ErrorSuccess)
        return status;

    if (!waitDraining(child.process.get(), readEnd.get(), timeoutMs, result.output)) {
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
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ChildProcess child;
    return startProcess(program, arguments, CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP, startup, false, child);
}

} // namespace platform::win32
