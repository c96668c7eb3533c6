#include "app/RunJson.h"

#include "engine/undo/ChangeRecordFolder.h"

#include <QFileInfo>
#include <QJsonDocument>

QJsonValue RunJson::changeRecord(const QString& path)
{
    if (path.isEmpty())
        return QJsonValue::Null;
    const QString name = QFileInfo(path).fileName();
    return QJsonObject{{QStringLiteral("file"), name}, {QStringLiteral("stamp"), ChangeRecordFolder::stampOf(name)}};
}

QByteArray RunJson::asciiLine(const QJsonObject& object)
{
    // Only strings hold characters beyond ASCII, so escaping each UTF-16 unit keeps the JSON valid.
    const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    QByteArray line;
    line.reserve(text.size() + 1);
    for (const QChar unit : text) {
        if (unit.unicode() < 0x80)
            line.append(char(unit.unicode()));
        else
            line.append(QStringLiteral("\\u%1").arg(unit.unicode(), 4, 16, QLatin1Char('0')).toLatin1());
    }
    return line + '\n';
}

QString RunJson::outcomeName(ItemResult::Outcome outcome)
{
    switch (outcome) {
    case ItemResult::Outcome::Changed:
        return QStringLiteral("changed");
    case ItemResult::Outcome::Unchanged:
        return QStringLiteral("unchanged");
    case ItemResult::Outcome::Failed:
        return QStringLiteral("failed");
    }
    return {};
}
