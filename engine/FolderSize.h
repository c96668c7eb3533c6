#pragma once

#include "platform/Platform.h"

#include <QtGlobal>

#include <string>

// The bytes of all files below a machine folder, hidden and system files included. Links are neither
// entered nor counted; folders that cannot be read add nothing.
class FolderSize {
public:
    static qint64 bytesBelow(platform::Platform& machine, const std::wstring& folder);
};
