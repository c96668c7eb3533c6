#pragma once

#include <cstdint>
#include <string>

// How the window and shell contract tests arrange what they then read through the interfaces: a top-level
// window owned by some process, a shortcut file and a file with a version description. A backend's test
// program registers its hooks with setWindowShellHooks from a static initialiser; without them (a backend
// that cannot arrange these things) the tests that need them skip.
class WindowShellHooks {
public:
    virtual ~WindowShellHooks() = default;

    // Creates a top-level window and returns the id of the process that owns it.
    virtual bool addWindow(const std::wstring& className, const std::wstring& title, bool visible, bool toolWindow,
                           std::uint32_t& pid) = 0;

    // Creates the shortcut `lnkPath` (in the scratch folder) to `target` with `arguments`.
    virtual bool addShortcut(const std::wstring& lnkPath, const std::wstring& target,
                             const std::wstring& arguments) = 0;

    // A file that exists and carries a FileDescription, and that description.
    virtual bool describedFile(std::wstring& path, std::wstring& description) = 0;
};

// Null unless the test program registered hooks.
WindowShellHooks* windowShellHooks();
bool setWindowShellHooks(WindowShellHooks* hooks);
