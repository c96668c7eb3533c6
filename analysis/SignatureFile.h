#pragma once

#include "analysis/AdwarePattern.h"

#include <QByteArray>
#include <QJsonObject>
#include <QVector>

// The two signature files as bytes in, signatures and whitelists out. Pure functions, so that hostile files
// (wrong types, binary data, deep nesting) can be tested and fuzzed without a machine.
namespace SignatureFile {

struct Patterns {
    QString version;
    QVector<AdwarePattern> patterns;
};

struct Whitelist {
    QStringList filePaths;
    QStringList processNames;
    QStringList patternIds; // "patterns" followed by "user_whitelist"
};

// False when the bytes are not valid JSON. Non-object signatures are skipped; missing or mistyped members
// read as empty.
bool parsePatterns(const QByteArray& bytes, Patterns& result);

// Anything that is not a valid whitelist document gives empty lists.
Whitelist parseWhitelist(const QByteArray& bytes);

// The members of `object` under `key` that are strings, in order; nothing for a missing or non-array member.
QStringList stringArray(const QJsonObject& object, const QString& key);

} // namespace SignatureFile
