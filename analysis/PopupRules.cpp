#include "analysis/PopupRules.h"

namespace PopupRules {

namespace {

const char* const kShellClassWords[] = {"progman", "shelldll", "taskbar", "shell_traywnd", "workerw"};
const char* const kTrustedPrefixes[] = {"explorer", "chrome", "msedge", "firefox", "qq", "wechat", "win", "taskmgr"};
const QString kAdvertisingWords[] = {
    QStringLiteral("广告"),   QStringLiteral("推广"),          QStringLiteral("游戏"),      QStringLiteral("领红包"),
    QStringLiteral("中奖"),   QStringLiteral("优惠券"),        QStringLiteral("弹窗"),      QStringLiteral("advertisement"),
    QStringLiteral("sponsored"), QStringLiteral("lottery"),    QStringLiteral("coupon"),    QStringLiteral("下载"),
    QStringLiteral("安装"),
};

} // namespace

bool isShellClass(const QString& className)
{
    const QString lowered = className.toLower();
    for (const char* word : kShellClassWords) {
        if (lowered.contains(QLatin1String(word)))
            return true;
    }
    return false;
}

bool isAdvertisingTitle(const QString& title)
{
    const QString lowered = title.toLower();
    for (const QString& word : kAdvertisingWords) {
        if (lowered.contains(word))
            return true;
    }
    return false;
}

bool isTrustedProcess(const QString& processName, const QStringList& whitelistProcessNames)
{
    const QString lowered = processName.toLower();
    for (const char* prefix : kTrustedPrefixes) {
        if (lowered.startsWith(QLatin1String(prefix)))
            return true;
    }
    for (const QString& allowed : whitelistProcessNames) {
        if (processName.contains(allowed, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString reason(const QString& imagePath, const QString& title, FileTrust::Verdict trust)
{
    QString why;
    const QString lowered = imagePath.toLower();
    if (!imagePath.isEmpty() && (lowered.contains(QLatin1String("temp")) ||
                                 lowered.contains(QLatin1String("appdata\\local\\temp"))))
        why = QStringLiteral("从临时目录运行");
    if (isAdvertisingTitle(title))
        why = QStringLiteral("标题含广告/推广特征");
    if (trust == FileTrust::Verdict::Signed)
        return {};
    if (!imagePath.isEmpty() && trust == FileTrust::Verdict::Unsigned)
        why = QStringLiteral("无有效数字签名");
    return why;
}

} // namespace PopupRules
