#pragma once

#include "platform/Commands.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Console tools hand back bytes. Windows' own tools write the console's 8-bit code page to a pipe (wmic with
// "\r\r\n" line ends); others, such as Wine's wmic, write UTF-16LE with a byte-order mark. fromTool() turns
// the 8-bit kind into UTF-8 as the platform reads that code page; decode() then accepts both: a UTF-16
// byte-order mark or any NUL byte means UTF-16LE, anything else is UTF-8.
namespace ConsoleText {

QByteArray fromTool(const std::string& output, const platform::Commands& commands);

QString decode(const QByteArray& bytes);

// The decoded text split at line feeds, each line without its carriage returns; empty lines dropped.
QStringList lines(const QByteArray& bytes);

} // namespace ConsoleText
