#include "analysis/BrowserFiles.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace BrowserFiles {

namespace {

const char* const kPopularSites[] = {"google", "baidu", "qq", "360", "taobao", "facebook"};

bool isPopularSite(const QString& host)
{
    const QString lowered = host.toLower();
    for (const char* site : kPopularSites) {
        if (lowered.contains(QLatin1String(site)))
            return true;
    }
    return false;
}

QJsonValue valueAt(const QByteArray& json, const QStringList& keys)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    QJsonValue current = document.object();
    for (const QString& key : keys) {
        if (!current.isObject())
            return {};
        current = current.toObject().value(key);
    }
    return current;
}

} // namespace

QString jsonString(const QByteArray& json, const QStringList& keys)
{
    return valueAt(json, keys).toString();
}

QString chromiumHomepage(const QByteArray& preferences)
{
    const QJsonValue homepage = valueAt(preferences, {QStringLiteral("homepage")});
    if (homepage.isString())
        return homepage.toString();
    return homepage.toObject().value(QLatin1String("homepage")).toString();
}

QString firefoxHomepage(const QByteArray& prefsJs)
{
    static const QRegularExpression pref(
        QStringLiteral("user_pref\\(\"browser\\.startup\\.homepage\",\\s*\"([^\"]+)\"\\)"));
    const QRegularExpressionMatch match = pref.match(QString::fromUtf8(prefsJs));
    return match.hasMatch() ? match.captured(1) : QString();
}

int redirectedSiteLines(const QByteArray& hosts)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    int count = 0;
    const QStringList lines = QString::fromUtf8(hosts).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(blanks, Qt::SkipEmptyParts);
        if (parts.size() >= 2 && isPopularSite(parts.at(1)))
            ++count;
    }
    return count;
}

} // namespace BrowserFiles
