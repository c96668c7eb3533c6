#include "analysis/ConflictAnalyzer.h"

#include "analysis/InstalledPrograms.h"
#include "analysis/WmicOutput.h"
#include "engine/ConsoleTool.h"

namespace {

struct SoftwareKind {
    QString name;
    QStringList words;
};

const SoftwareKind kKinds[] = {
    {QStringLiteral("安全卫士"),
     {QStringLiteral("安全卫士"), QStringLiteral("杀毒"), QStringLiteral("电脑管家"), QStringLiteral("360")}},
    {QStringLiteral("浏览器"),
     {QStringLiteral("浏览器"), QStringLiteral("chrome"), QStringLiteral("edge"), QStringLiteral("firefox"),
      QStringLiteral("搜狗")}},
    {QStringLiteral("压缩软件"),
     {QStringLiteral("压缩"), QStringLiteral("好压"), QStringLiteral("快压"), QStringLiteral("7-zip"),
      QStringLiteral("winrar")}},
    {QStringLiteral("下载工具"), {QStringLiteral("下载"), QStringLiteral("迅雷"), QStringLiteral("下载器")}},
    {QStringLiteral("输入法"), {QStringLiteral("输入法"), QStringLiteral("拼音")}},
};

// Programs that install under several names but are one product: a name that starts with a family's name
// (any case) counts once per kind, shown by the family's name. A stock Windows 10 lists "Microsoft Edge",
// "Microsoft Edge Update" and "Microsoft Edge WebView2 Runtime", which are one browser.
const char* const kFamilies[] = {"Microsoft Edge", "Google Chrome", "Mozilla Firefox"};

const QString kNameSeparator = QStringLiteral("、");

// The family's name, or null for a program of no family.
QString familyOf(const QString& name)
{
    for (const char* family : kFamilies) {
        if (name.startsWith(QLatin1String(family), Qt::CaseInsensitive))
            return QLatin1String(family);
    }
    return {};
}

bool containsAny(const QString& text, const QStringList& words)
{
    for (const QString& word : words) {
        if (text.contains(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

ConflictAnalyzer::ConflictAnalyzer(platform::Platform& platform, const SignatureDatabase& database)
    : platform_(platform)
    , machine_(platform)
    , database_(database)
{
}

void ConflictAnalyzer::run(QVector<ConflictAdvice>& conflicts) const
{
    QString failure;
    const QStringList products = antivirusProducts(failure);
    if (failure.isEmpty())
        adviseAntivirus(conflicts, products);
    else
        adviseAntivirusUnavailable(conflicts, failure);
    const QStringList installed = InstalledPrograms(machine_).displayNames();
    adviseOverlap(conflicts, installed);
    adviseLowQuality(conflicts, installed, database_);
}

QStringList ConflictAnalyzer::antivirusProducts(QString& failure) const
{
    const ConsoleTool::Outcome outcome = ConsoleTool::run(
        platform_, QStringLiteral("wmic"),
        {QStringLiteral("/namespace:\\\\root\\SecurityCenter2"), QStringLiteral("path"),
         QStringLiteral("AntiVirusProduct"), QStringLiteral("get"), QStringLiteral("displayName")},
        kWmicWaitMs);
    failure = outcome.status == platform::ErrorSuccess ? QString() : outcome.failure();
    return WmicOutput::values(outcome.output, QStringLiteral("displayName"));
}

void ConflictAnalyzer::adviseAntivirus(QVector<ConflictAdvice>& conflicts, const QStringList& products)
{
    if (products.size() >= 2)
        conflicts.append({QStringLiteral("antivirus"), QStringLiteral("检测到多个杀毒软件同时运行"),
                          products.join(kNameSeparator),
                          QStringLiteral("建议只保留一款杀毒软件，避免相互冲突导致系统卡顿")});
    else if (products.size() == 1)
        conflicts.append({QStringLiteral("antivirus"), QStringLiteral("检测到杀毒软件"), products.first(),
                          QStringLiteral("如未安装杀毒软件请及时安装（Windows Defender 已内置）")});
}

void ConflictAnalyzer::adviseAntivirusUnavailable(QVector<ConflictAdvice>& conflicts, const QString& failure)
{
    conflicts.append({QStringLiteral("antivirus"), QStringLiteral("杀毒软件检测不可用"),
                      QStringLiteral("wmic：%1").arg(failure),
                      QStringLiteral("请在 Windows 安全中心查看杀毒软件状态")});
}

void ConflictAnalyzer::adviseOverlap(QVector<ConflictAdvice>& conflicts, const QStringList& installed)
{
    for (const SoftwareKind& kind : kKinds) {
        QStringList found;
        for (const QString& name : installed) {
            if (!containsAny(name, kind.words))
                continue;
            const QString family = familyOf(name);
            if (family.isNull())
                found.append(name);
            else if (!found.contains(family))
                found.append(family);
        }
        if (found.size() >= 3)
            conflicts.append({QStringLiteral("overlap"), QStringLiteral("检测到 %1 个同类软件：%2").arg(found.size()).arg(kind.name),
                              found.join(kNameSeparator), QStringLiteral("同类软件过多可能互相冲突，建议精简至 1-2 个")});
    }
}

void ConflictAnalyzer::adviseLowQuality(QVector<ConflictAdvice>& conflicts, const QStringList& installed,
                                        const SignatureDatabase& database)
{
    if (!database.loaded)
        return;
    for (const AdwarePattern& pattern : database.patterns) {
        if (pattern.category != QLatin1String("pup") || pattern.riskLevel != QLatin1String("low") ||
            database.whitelistPatternIds.contains(pattern.id, Qt::CaseSensitive))
            continue;
        for (const QString& name : installed) {
            if (containsAny(name, pattern.uninstallKeys)) {
                const QString shown = pattern.nameCn.isEmpty() ? pattern.name : pattern.nameCn;
                conflicts.append({QStringLiteral("pup"), QStringLiteral("检测到低质量软件：%1").arg(shown),
                                  pattern.description, QStringLiteral("该软件可能捆绑广告或拖慢系统，建议在控制面板卸载")});
                break;
            }
        }
    }
}
