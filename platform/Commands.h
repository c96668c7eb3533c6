#pragma once

#include "platform/Status.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct CommandResult {
    std::string output;        // standard output as the tool wrote it; the caller decodes it
    std::uint32_t exitCode = 0; // GetExitCodeProcess; meaningful when the run returned ErrorSuccess
};

// Console tools started as child processes (CreateProcessW).
class Commands {
public:
    virtual ~Commands() = default;

    // Starts `program` (an absolute path: a bare name is refused with ErrorBadPathname and nothing is
    // searched) with `arguments`, captures its standard output and waits at most `timeoutMs`. ErrorSuccess
    // when the tool ended in time; WAIT_TIMEOUT when it did not (it is then ended together with every
    // process it started; `result.output` holds what it wrote so far); the CreateProcessW error
    // (ERROR_FILE_NOT_FOUND for a missing tool) when it could not be started.
    virtual Status run(const std::wstring& program, const std::vector<std::wstring>& arguments,
                       std::uint32_t timeoutMs, CommandResult& result) = 0;

    // Starts a tool (an absolute path, as for run) without waiting for it and without capturing anything.
    virtual Status startDetached(const std::wstring& program, const std::vector<std::wstring>& arguments) = 0;

    // 8-bit output of a console tool as text: console tools write the console's code page (GetOEMCP), which
    // is the ANSI one on Chinese Windows but not on Western or Cyrillic ones.
    virtual std::wstring consoleText(const std::string& bytes) const = 0;
};

} // namespace platform
