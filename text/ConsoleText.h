#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Console tools hand back bytes. Windows' own tools write the local 8-bit code page to a pipe (wmic with
// "\r\r\n" line ends); others, such as Wine's wmic, write UTF-16LE with a byte-order mark. decode() accepts
// both: a UTF-16 byte-order mark or any NUL byte means UTF-16LE, anything else is 8-bit text.
namespace ConsoleText {

QString decode(const QByteArray& bytes);

// The decoded text split at line feeds, each line without its carriage returns; empty lines dropped.
QStringList lines(const QByteArray& bytes);

} // namespace ConsoleText
