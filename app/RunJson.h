#pragma once

#include "phase2/ItemResult.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// The pieces the command-line runs share when they describe themselves in JSON.
namespace RunJson {

// A change record as {"file": NAME, "stamp": STAMP}, the stamp being what --undo takes; null for no record.
QJsonValue changeRecord(const QString& path);

// The object on one line in plain ASCII, every other character written as \uXXXX: a console that decodes
// standard output with its own code page (PowerShell on a Chinese Windows does) still reads it right.
QByteArray asciiLine(const QJsonObject& object);

// "changed", "unchanged" or "failed".
QString outcomeName(ItemResult::Outcome outcome);

} // namespace RunJson
