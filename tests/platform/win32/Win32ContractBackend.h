#pragma once

#include "platform/ContractBackend.h"
#include "platform/win32/ScratchTasks.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <memory>
#include <vector>

// The contract tests' backend under Wine: the real Win32 calls, a scratch registry key under HKCU, a
// scratch folder on the prefix's C: drive (emptied before and after every test) and a scratch task
// folder whose tasks are removed after every test.
class Win32ContractBackend : public ContractBackend {
public:
    Win32ContractBackend();
    ~Win32ContractBackend() override;

    platform::Platform& platform() override { return platform_->platform(); }
    bool isSimulated() const override { return false; }
    std::wstring scratchKey() const override;
    std::wstring scratchFolder() override;
    void writeFile(const std::wstring& path, const std::string& bytes) override;
    Tool printingTool(const std::string& text, int exitCode) override;
    Tool slowTool() override;
    std::wstring missingTool() const override;
    bool addTask(const std::wstring& name, bool enabled) override;

    // A window the test made; destroyed with the backend.
    void adoptWindow(HWND window) { windows_.push_back(window); }

    // The helper tool built beside the test program (see probe/ProbeTool.cpp).
    static std::wstring probeTool();
    // "cmd.exe" -> its full path in the system folder.
    static std::wstring systemTool(const std::wstring& file);

private:
    void clearScratch();

    std::unique_ptr<platform::win32::Win32Platform> platform_;
    ScratchTasks tasks_;
    std::vector<HWND> windows_;
};
