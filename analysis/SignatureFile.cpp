#include "analysis/SignatureFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace SignatureFile {

namespace {

QString stringMember(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

AdwarePattern patternFrom(const QJsonObject& object)
{
    AdwarePattern pattern;
    pattern.id = stringMember(object, "id");
    pattern.name = stringMember(object, "name");
    pattern.nameCn = stringMember(object, "name_cn");
    pattern.category = stringMember(object, "category");
    pattern.riskLevel = stringMember(object, "risk_level");
    pattern.description = stringMember(object, "description");
    pattern.removalNotes = stringMember(object, "removal_notes");
    const QJsonObject detection = object.value(QLatin1String("detection")).toObject();
    pattern.uninstallKeys = stringArray(detection, QStringLiteral("uninstall_keys"));
    pattern.registryKeys = stringArray(detection, QStringLiteral("registry_keys"));
    pattern.filePaths = stringArray(detection, QStringLiteral("file_paths"));
    pattern.processNames = stringArray(detection, QStringLiteral("process_names"));
    pattern.serviceNames = stringArray(detection, QStringLiteral("service_names"));
    pattern.startupNames = stringArray(detection, QStringLiteral("startup_names"));
    return pattern;
}

} // namespace

QStringList stringArray(const QJsonObject& object, const QString& key)
{
    QStringList texts;
    const QJsonArray array = object.value(key).toArray();
    for (const QJsonValue& element : array) {
        if (element.isString())
            texts.append(element.toString());
    }
    return texts;
}

bool parsePatterns(const QByteArray& bytes, Patterns& result)
{
    result = Patterns();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return false;
    const QJsonObject root = document.object();
    result.version = stringMember(root, "version");
    const QJsonArray patterns = root.value(QLatin1String("patterns")).toArray();
    for (const QJsonValue& element : patterns) {
        if (element.isObject())
            result.patterns.append(patternFrom(element.toObject()));
    }
    return true;
}

Whitelist parseWhitelist(const QByteArray& bytes)
{
    Whitelist whitelist;
    const QJsonObject lists = QJsonDocument::fromJson(bytes).object().value(QLatin1String("whitelist")).toObject();
    whitelist.filePaths = stringArray(lists, QStringLiteral("file_paths"));
    whitelist.processNames = stringArray(lists, QStringLiteral("process_names"));
    whitelist.patternIds = stringArray(lists, QStringLiteral("patterns")) +
                           stringArray(lists, QStringLiteral("user_whitelist"));
    return whitelist;
}

} // namespace SignatureFile
