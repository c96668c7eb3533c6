#pragma once

#include "platform/Platform.h"

#include <string>

// The backend a contract test runs against. Each test program provides one (the simulated PC on Linux,
// Win32 under Wine) and a fresh Platform for every test.
class ContractBackend {
public:
    virtual ~ContractBackend() = default;

    virtual platform::Platform& platform() = 0;
    virtual bool isSimulated() const = 0;

    // A registry key (under HKCU) that is empty at the start of each test and may be written freely.
    virtual std::wstring scratchKey() const = 0;

    // A folder (Windows path) that is empty at the start of each test, and a way to put a file in it (or in
    // folders below it, which are made as needed) without going through the interface under test.
    virtual std::wstring scratchFolder() = 0;
    virtual void writeFile(const std::wstring& path, const std::string& bytes) = 0;

    // A console tool that prints `text` on standard output and exits with `exitCode`, one that runs far
    // longer than any test waits, and a name that no tool has.
    struct Tool {
        std::wstring program;
        std::vector<std::wstring> arguments;
    };
    virtual Tool printingTool(const std::string& text, int exitCode) = 0;
    virtual Tool slowTool() = 0;
    virtual std::wstring missingTool() const = 0;

    // A Task Scheduler folder that holds no task at the start of each test, and a way to register an
    // enabled or disabled task in it without going through the interface under test. False when the
    // backend cannot; the test then skips.
    virtual std::wstring scratchTaskFolder() const { return L"\\TidewellContract"; }
    virtual bool addTask(const std::wstring& /*name*/, bool /*enabled*/) { return false; }
};

// Set up by the test program's backend for each test (see the fixture).
ContractBackend& backend();
