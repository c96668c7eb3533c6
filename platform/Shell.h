#pragma once

#include "platform/Status.h"

#include <string>

namespace platform {

// The shell group (COM shell links, version resources).
class Shell {
public:
    virtual ~Shell() = default;

    // IShellLinkW::GetPath(SLGP_RAWPATH) / GetArguments of a .lnk file; the target is the raw path resolved
    // by ShortcutTarget with ExpandEnvironmentStringsW and GetFileAttributesW.
    virtual Status shortcutTarget(const std::wstring& /*lnkPath*/, std::wstring& /*target*/,
                                  std::wstring& /*arguments*/)
    {
        return ErrorCallNotImplemented;
    }

    // GetFileVersionInfoW + VerQueryValueW("\StringFileInfo\<lang><cp>\FileDescription").
    virtual Status fileDescription(const std::wstring& /*path*/, std::wstring& /*description*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
