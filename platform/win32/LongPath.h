#pragma once

#include <string>

namespace platform::win32 {

// The form of `path` that the file functions accept beyond MAX_PATH characters: "\\?\C:\..." for an
// absolute drive path, "\\?\UNC\server\share\..." for a UNC path, each after the normalisation Windows
// applies to an ordinary path (separators, "." and "..", trailing dots and blanks), so that both forms
// name the same file. Relative paths, device paths and paths already in that form stay as they are.
std::wstring longPath(const std::wstring& path);

} // namespace platform::win32
