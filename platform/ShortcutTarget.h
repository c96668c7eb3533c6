#pragma once

#include <functional>
#include <string>

namespace platform {

// The program a shortcut starts, from the raw path it stores, as Windows' own 64-bit shell resolves it.
// A 32-bit process expands "%ProgramFiles%" to "Program Files (x86)" and the shell hands it even a plain
// "C:\Program Files" target in that form, so a 64-bit program would look missing. The program files
// variables are read through their 64-bit names ("%ProgramW6432%", "%CommonProgramW6432%") where the
// target exists there, and a target below "%ProgramFiles(x86)%" that does not exist is looked for below
// "%ProgramW6432%". Otherwise the raw path is expanded as it is. A System32 target keeps its name: reading
// the file is what goes through the native folder.
class ShortcutTarget {
public:
    using Expand = std::function<std::wstring(const std::wstring&)>;
    using Exists = std::function<bool(const std::wstring&)>;

    ShortcutTarget(Expand expand, Exists exists);

    std::wstring resolve(const std::wstring& raw) const;

private:
    // `path` below `folder` (expanded; a folder name, then the end or a separator) moved below `native`
    // when it exists there; empty otherwise.
    std::wstring inNative(const std::wstring& path, const std::wstring& folder, const wchar_t* native) const;

    Expand expand_;
    Exists exists_;
};

} // namespace platform
