#pragma once

#include "updater/FileSource.h"
#include "updater/StickLayout.h"
#include "updater/VersionList.h"

#include <QElapsedTimer>
#include <QObject>

#include <atomic>

// Assembles the new version in the staging folder beside the program folder: a file whose SHA-256 the
// stick's copy already has is copied from the program folder, every other one is fetched from the source.
// Each file is checked against its listed size and digest before it counts, and the first that fails stops
// the whole staging. The program folder is only read. What is left in the staging folder after a failure
// or a cancel is the caller's to remove. run() blocks; it is meant for a worker thread, and cancel() may be
// called from any thread.
class StagingBuilder : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { Ready, Cancelled, Failed };

    StagingBuilder(const StickLayout& layout, FileSource& source);

    Outcome run(const NewVersion& newVersion);
    void cancel() { cancelled_ = true; }

    // Why the last run failed, in a sentence for the user.
    QString failure() const { return failure_; }

signals:
    // Bytes fetched so far of those to fetch, and the average speed since fetching began in
    // bytes per second.
    void progressed(qint64 done, qint64 total, qint64 bytesPerSecond);

private:
    bool checkList(const VersionFiles& files);
    bool stageFile(const VersionFile& file, bool changed);
    bool fetchInto(const VersionFile& file, const QString& part);
    bool verify(const VersionFile& file, const QString& path);
    bool refuse(const QString& failure);
    void report(qint64 done, bool now);

    StickLayout layout_;
    QString version_;
    FileSource& source_;
    std::atomic<bool> cancelled_{false};
    QString failure_;
    qint64 done_ = 0;
    qint64 total_ = 0;
    QElapsedTimer clock_;
    qint64 lastReportMs_ = 0;
};
