#pragma once

#include "platform/Files.h"

namespace platform::win32 {

// The files group over kernel32. Listing reports links (reparse points) as entries and never enters
// them; deleting a link removes the link itself. Absolute paths go to Windows in their long form, so a
// file deep below a folder is reached even where its path is longer than MAX_PATH.
class Win32Files : public Files {
public:
    Status list(const std::wstring& folder, const std::function<bool(const FileEntry&)>& visit) override;
    Status attributes(const std::wstring& path, FileEntry& entry) override;
    Status deleteFile(const std::wstring& path) override;
    Status removeDirectory(const std::wstring& path) override;
    Status rename(const std::wstring& from, const std::wstring& to) override;
    Status setAttributes(const std::wstring& path, std::uint32_t attributes) override;
    Status readFile(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes) override;
    Status longPathName(const std::wstring& path, std::wstring& longName) override;
};

} // namespace platform::win32
