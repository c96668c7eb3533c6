#pragma once

#include "platform/Platform.h"

#include <QString>

// The short Windows version name of the run log's header ("Win10 (Build 19045)"), read from
// HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion.
QString osVersionName(platform::Platform& platform = platform::current());
