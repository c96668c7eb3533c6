#include "engine/undo/ChangeRecordFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace ChangeRecordFolder
{

namespace
{

constexpr int kMostRecordsPerSecond = 100;
const QString kStampFormat = QStringLiteral("yyyyMMdd_HHmmss");
const QString kRestoredSuffix = QStringLiteral(".restored");

QString fileName(const QString& device, const QString& stamp)
{
    return QStringLiteral("changes_%1_%2.jsonl").arg(device, stamp);
}

} // namespace

QString besideLogs(const QString& logFolder)
{
    if (logFolder.isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(logFolder).absolutePath() + QStringLiteral("/changes"));
}

QString newRecordPath(const QString& folder, const ChangeRecord::Header& header)
{
    const QString stamp = header.started.toString(kStampFormat);
    QString candidate = fileName(header.device, stamp);
    for (int suffix = 2; QFileInfo::exists(QDir(folder).filePath(candidate)); ++suffix) {
        if (suffix > kMostRecordsPerSecond)
            return {};
        candidate = fileName(header.device, stamp + QStringLiteral("_%1").arg(suffix));
    }
    return QDir(folder).filePath(candidate);
}

QString stampOf(const QString& fileName)
{
    static const QRegularExpression name(
        QStringLiteral("^changes_[A-Za-z0-9_-]{1,64}?_(\\d{8}_\\d{6}(?:_\\d{1,3})?)\\.jsonl$"));
    const auto match = name.match(fileName);
    return match.hasMatch() ? match.captured(1) : QString();
}

QVector<ChangeRecord> records(const QString& folder, const QString& device, const QString& machine)
{
    QVector<ChangeRecord> found;
    if (folder.isEmpty())
        return found;
    const QDateTime now = QDateTime::currentDateTime();
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("changes_%1_*.jsonl").arg(device)},
                                                           QDir::Files, QDir::Name | QDir::Reversed);
    for (const QFileInfo& file : files) {
        ChangeRecord record;
        QString problem;
        if (file.isSymLink() || stampOf(file.fileName()).isEmpty() ||
            !ChangeRecord::readHeader(file.filePath(), record, problem) || !belongsTo(record, device, machine) ||
            !timesAgree(record, now))
            continue;
        record.restoredAt = restoredAt(file.filePath());
        found.append(record);
        if (found.size() == kMostRecordsListed)
            break;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const ChangeRecord& a, const ChangeRecord& b) { return a.header.started > b.header.started; });
    return found;
}

QString pathOf(const QString& folder, const QString& stamp)
{
    if (folder.isEmpty() || stamp.isEmpty())
        return {};
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("changes_*.jsonl")}, QDir::Files);
    for (const QFileInfo& file : files) {
        if (!file.isSymLink() && stampOf(file.fileName()) == stamp)
            return file.filePath();
    }
    return {};
}

bool markRestored(const QString& recordPath, const QDateTime& when)
{
    QFile mark(recordPath + kRestoredSuffix);
    return mark.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           mark.write(when.toString(Qt::ISODate).toLatin1()) > 0;
}

QDateTime restoredAt(const QString& recordPath)
{
    constexpr int kLongestMark = 64;
    QFile mark(recordPath + kRestoredSuffix);
    if (!mark.open(QIODevice::ReadOnly))
        return {};
    return QDateTime::fromString(QString::fromLatin1(mark.read(kLongestMark)).trimmed(), Qt::ISODate);
}

bool belongsTo(const ChangeRecord& record, const QString& device, const QString& machine)
{
    return !machine.isEmpty() && record.header.device == device && record.header.machine == machine;
}

bool timesAgree(const ChangeRecord& record, const QDateTime& now)
{
    return record.stamp.left(kStampFormat.size()) == record.header.started.toString(kStampFormat) &&
           record.header.started <= now;
}

} // namespace ChangeRecordFolder
