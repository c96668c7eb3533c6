#pragma once

#include <QByteArray>
#include <QStringList>

// Reads one property out of what wmic printed: real wmic writes 8-bit text with "\r\r\n" line ends, Wine's
// UTF-16LE with a byte-order mark; the table layout pads columns with blanks and may hold them in any order,
// and /value prints "Name=value" lines. Anything else (noise, binary data) yields no values.
namespace WmicOutput {

// The values of `property` (any case), trimmed, empty ones and duplicates dropped, in output order.
QStringList values(const QByteArray& output, const QString& property);

} // namespace WmicOutput
