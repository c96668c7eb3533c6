#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>

// The identifier of this copy of the program (this USB stick): 16 lower-case hexadecimal characters,
// generated once and kept in <appDir>/../config/device.id. It names the run logs; it is sent nowhere.

// Reads the stored identifier, or makes, stores and returns a new one. Never fails: when nothing can be
// read or written the fresh value serves this run only. A stored text that is not a short file-name-safe
// word (letters, digits, '-' and '_', at most 64 characters after trimming) counts as missing, because the
// identifier becomes part of a file name.
QString generateDeviceId(const QString& appDir, platform::Platform& platform = platform::current());

// The value of one property of the first instance of a WMI class, through "wmic path CLASS get PROP /value"
// with a wait of 5000 ms; empty when wmic is missing, slow, or has no such instance.
QString wmicQuery(const QString& className, const QString& propertyName,
                  platform::Platform& platform = platform::current());

// The value of the first "PROP=value" line of what wmic printed with /value, trimmed; empty when there is none.
QString wmicValue(const QByteArray& output, const QString& propertyName);

// True for a stored identifier that may stand in a file name.
bool isUsableDeviceId(const QString& id);
