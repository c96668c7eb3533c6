#include "engine/undo/ChangeRecord.h"

#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/RecordLines.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

namespace
{

const QString kFormatKey = QStringLiteral("format");
const QString kVersionKey = QStringLiteral("version");
const QString kDeviceKey = QStringLiteral("device");
const QString kMachineKey = QStringLiteral("machine");
const QString kRunKey = QStringLiteral("run");
const QString kStartedKey = QStringLiteral("started");

bool isObjectLine(const QByteArray& line, QJsonObject& object)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    object = document.object();
    return true;
}

} // namespace

QJsonObject ChangeRecord::Header::toJson() const
{
    return {{kFormatKey, QLatin1String(kFormat)},
            {kVersionKey, kVersion},
            {kDeviceKey, device},
            {kMachineKey, machine},
            {kRunKey, run},
            {kStartedKey, started.toString(Qt::ISODate)}};
}

bool ChangeRecord::Header::fromJson(const QJsonObject& object, Header& header)
{
    static const QRegularExpression safeId(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    header.device = object.value(kDeviceKey).toString();
    header.machine = object.value(kMachineKey).toString();
    header.run = object.value(kRunKey).toString();
    header.started = QDateTime::fromString(object.value(kStartedKey).toString(), Qt::ISODate);
    header.version = object.value(kVersionKey).toInt();
    return object.value(kFormatKey).toString() == QLatin1String(kFormat) && header.version >= kFirstVersion &&
           header.version <= kVersion && safeId.match(header.device).hasMatch() && header.machine.size() <= 64 &&
           (header.run == QLatin1String(kPhaseOne) || header.run == QLatin1String(kPhaseTwo)) &&
           header.started.isValid();
}

bool ChangeRecord::read(const QString& path, ChangeRecord& record, QString& problem)
{
    return readFile(path, record, problem, true);
}

bool ChangeRecord::readHeader(const QString& path, ChangeRecord& record, QString& problem)
{
    return readFile(path, record, problem, false);
}

bool ChangeRecord::readFile(const QString& path, ChangeRecord& record, QString& problem, bool keepChanges)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("无法打开");
        return false;
    }
    if (file.size() > kMaxBytes) {
        problem = QStringLiteral("文件过大");
        return false;
    }
    record.path = path;
    record.stamp = ChangeRecordFolder::stampOf(QFileInfo(path).fileName());
    return readFrom(file, record, problem, keepChanges);
}

bool ChangeRecord::parse(const QByteArray& bytes, ChangeRecord& record, QString& problem)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readFrom(buffer, record, problem, true);
}

bool ChangeRecord::readFrom(QIODevice& device, ChangeRecord& record, QString& problem, bool keepChanges)
{
    record.changes.clear();
    record.unreadableLines = 0;
    record.changeLines = 0;
    RecordLines lines(device);
    QByteArray line;
    bool tooLong = false;
    QJsonObject first;
    if (!lines.next(kMaxHeaderBytes, line, tooLong) || tooLong || !isObjectLine(line, first) ||
        !Header::fromJson(first, record.header)) {
        problem = QStringLiteral("不是有效的更改记录");
        return false;
    }
    const int longest = keepChanges ? kMaxLineBytes : 0;
    while (lines.next(longest, line, tooLong)) {
        if (!tooLong && line.trimmed().isEmpty())
            continue;
        ++record.changeLines;
        if (!keepChanges)
            continue;
        QJsonObject change;
        if (tooLong || !isObjectLine(line, change)) {
            ++record.unreadableLines;
            continue;
        }
        record.changes.append(change);
    }
    return true;
}
