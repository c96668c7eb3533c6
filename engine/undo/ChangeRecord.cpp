#include "engine/undo/ChangeRecord.h"

#include <QFile>
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
    if (line.size() > ChangeRecord::kMaxLineBytes)
        return false;
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
    return object.value(kFormatKey).toString() == QLatin1String(kFormat) &&
           object.value(kVersionKey).toInt() == kVersion && safeId.match(header.device).hasMatch() &&
           header.machine.size() <= 64 &&
           (header.run == QLatin1String(kPhaseOne) || header.run == QLatin1String(kPhaseTwo)) &&
           header.started.isValid();
}

bool ChangeRecord::read(const QString& path, ChangeRecord& record, QString& problem)
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
    return parse(file.readAll(), record, problem);
}

bool ChangeRecord::parse(const QByteArray& bytes, ChangeRecord& record, QString& problem)
{
    record.changes.clear();
    record.unreadableLines = 0;
    const QList<QByteArray> lines = bytes.split('\n');
    QJsonObject first;
    if (lines.isEmpty() || !isObjectLine(lines.first(), first) || !Header::fromJson(first, record.header)) {
        problem = QStringLiteral("不是有效的更改记录");
        return false;
    }
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        QJsonObject change;
        if (isObjectLine(lines[i], change))
            record.changes.append(change);
        else
            ++record.unreadableLines;
    }
    return true;
}
