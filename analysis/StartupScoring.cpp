#include "analysis/StartupScoring.h"

#include <QtGlobal>

namespace StartupScoring {

namespace {

const char* const kTemporaryMarks[] = {"\\temp\\", "%temp%", "appdata\\local\\temp"};
const char* const kNormalMarks[] = {"\\program files", ":\\windows"};
const char* const kNormalRoots[] = {"c:\\", "d:\\"};
const int kDisableableSources[] = {1, 2, 3, 4, 5, 6, 10, 11};

bool containsAny(const QStringList& entries, const QString& text)
{
    for (const QString& entry : entries) {
        if (text.contains(entry, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

bool isChangedHook(const QString& value, const char* expectedProgram)
{
    const QString trimmed = value.trimmed();
    return !trimmed.isEmpty() && !trimmed.contains(QLatin1String(expectedProgram), Qt::CaseInsensitive);
}

bool isNormalLocation(const QString& expandedPath, bool isSigned)
{
    const QString path = expandedPath.toLower();
    for (const char* mark : kTemporaryMarks) {
        if (path.contains(QLatin1String(mark)))
            return false;
    }
    for (const char* mark : kNormalMarks) {
        if (path.contains(QLatin1String(mark)))
            return true;
    }
    for (const char* root : kNormalRoots) {
        if (path.startsWith(QLatin1String(root)))
            return true;
    }
    return isSigned;
}

bool isJunkName(const QString& name, const SignatureDatabase& database)
{
    if (!database.loaded)
        return false;
    for (const AdwarePattern& pattern : database.patterns) {
        if (containsAny(pattern.startupNames, name) || containsAny(pattern.processNames, name))
            return true;
    }
    return false;
}

void grade(StartupScanItem& item)
{
    item.score = qBound(0, item.score, 100);
    if (item.score >= 80) {
        item.riskLevel = 0;
        item.riskLabel = QStringLiteral("🟢 安全");
    } else if (item.score >= 50) {
        item.riskLevel = 1;
        item.riskLabel = QStringLiteral("🟡 可疑");
    } else {
        item.riskLevel = 2;
        item.riskLabel = QStringLiteral("🔴 高风险");
    }
}

bool canDisable(int sourceType)
{
    for (int source : kDisableableSources) {
        if (source == sourceType)
            return true;
    }
    return false;
}

} // namespace StartupScoring
