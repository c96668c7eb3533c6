#pragma once

#include "platform/Commands.h"

namespace platform::win32 {

// Console tools through CreateProcessW. The tool's standard output goes to a pipe that is drained while
// waiting (a full pipe would block the tool and turn every wait into a time-out); standard input and
// standard error are the null device, and these three are the only handles the tool inherits. The tool is
// started by its absolute path only (CreateProcessW's application name), and runs in a job that ends it
// with everything it started when it outlives its wait.
class Win32Commands : public Commands {
public:
    Status run(const std::wstring& program, const std::vector<std::wstring>& arguments, std::uint32_t timeoutMs,
               CommandResult& result) override;
    Status startDetached(const std::wstring& program, const std::vector<std::wstring>& arguments) override;
    std::wstring consoleText(const std::string& bytes) const override;
};

} // namespace platform::win32
