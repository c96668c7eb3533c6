#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

// Where the bytes of the new version's files come from. The updater hands each file it needs to a source
// and checks what comes back itself, so a source need not be trusted.
class FileSource
{
public:
    // Told the number of bytes written so far; returning false stops the transfer (the user cancelled).
    using Received = std::function<bool(qint64 bytesSoFar)>;

    virtual ~FileSource() = default;

    // Writes the bytes of `relativePath` in release `version` to `sink`, never more than `maxBytes`: a source that
    // would give more stops and fails. False with `error` (a plain sentence for the user) when the bytes could not all
    // be had or `received` asked to stop.
    virtual bool fetch(const QString& version, const QString& relativePath, qint64 maxBytes, QIODevice& sink,
                       const Received& received, QString& error) = 0;
};
