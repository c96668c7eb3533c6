#pragma once

#include "updater/FileSource.h"

#include <QUrl>

// The files of a release on the maker's static web host: <base>/releases/<version>/<path>. Each fetch
// blocks its thread in an event loop of its own, so the staging worker can call it between its checks. A
// transfer that receives nothing for kStallMs is given up.
class NetworkFileSource : public FileSource
{
public:
    static constexpr int kStallMs = 30000;

    explicit NetworkFileSource(const QUrl& base);

    bool fetch(const QString& version, const QString& relativePath, qint64 maxBytes, QIODevice& sink,
               const Received& received, QString& error) override;

    // Any one address, on the same terms; `label` names it in the error.
    static bool download(const QUrl& url, const QString& label, qint64 maxBytes, QIODevice& sink,
                         const Received& received, QString& error);

private:
    QUrl urlOf(const QString& version, const QString& relativePath) const;

    QUrl base_;
};
