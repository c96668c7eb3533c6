#include "phase2/OptCatalogue.h"

namespace OptCatalogue {

namespace {

struct GroupRow {
    const char* icon;
    const char* title;
    const char* description;
};

const GroupRow kGroups[kGroupCount] = {
    {"⚙", "组一：系统服务深度优化（8项）",
     "这些 Windows 系统服务在大多数个人电脑上很少用到，停用可释放内存和后台CPU占用。请根据您是否使用相关设备决定。"},
    {"📋", "组二：系统日志与诊断瘦身（2项）",
     "Windows 默认保留大量诊断日志和事件记录，清理后不影响日常使用，但IT排查问题时可能需要历史日志。"},
    {"🌐", "组三：网络高级调优（1项）", "网络相关的进阶优化选项，效果因网络环境和运营商而异。"},
    {"💾", "组四：存储空间深度回收（2项）", "能释放数GB甚至数十GB磁盘空间，但会影响系统回滚能力，建议确认后再操作。"},
    {"🛡", "组五：开机自启深度管理",
     "比Brightdesk更全面的开机自启分析。我们扫描了13个系统角落，按风险标注。您可以勾选不需要的启动项进行禁用。"},
    {"🧹", "组六：垃圾软件与广告程序",
     "检测到您电脑上可能安装了以下带有广告弹窗或捆绑行为的软件。卸载它们可以让电脑更干净、更快。"},
    {"🔍", "组七：软件冲突与优化建议",
     "检测到您电脑上的软件搭配可能存在一些\"小摩擦\"，这些建议可以帮助您的电脑更稳定。"},
};

struct FixedItemRow {
    int group;
    const char* id;
    const char* title;
    const char* description;
    int riskLevel;
    const char* confirmType;
};

const FixedItemRow kFixedItems[] = {
    {0, "C13", "分布式链接追踪", "跨网络共享文件的快捷方式追踪，个人电脑几乎用不到", 0, ""},
    {0, "C10", "蜂窝网络服务", "4G/5G上网卡相关，WiFi上网不受影响", 0, ""},
    {0, "C11", "传感器服务", "屏幕自动旋转/亮度调节，台式机完全用不到", 0, ""},
    {0, "C14", "摄像头帧服务", "部分摄像头应用的视频预览，大多数聊天软件不受影响", 1, ""},
    {0, "C8", "蓝牙支持服务", "蓝牙鼠标/耳机/音箱等核心服务，无蓝牙设备可安全停用", 1, ""},
    {0, "C1", "Windows Search", "文件搜索改为手动模式，搜索功能仍在但首次稍慢", 1, ""},
    {0, "C12", "微软账户登录", "仅影响微软账户登录方式，本地账户不受影响", 1, ""},
    {0, "C9", "打印后台服务", "物理打印机和虚拟打印机（打印到PDF）均依赖此服务", 2, "C9"},
    {1, "F3", "磁盘诊断服务", "后台收集磁盘性能数据，日常使用不需要（HDD系统跳过）", 0, ""},
    {1, "A2", "事件日志大小限制", "限制Windows事件日志文件大小，节省数百MB空间", 1, "A2"},
    {2, "E1", "TCP自动调优", "优化网络传输参数，可能提升下载速度和网络响应", 0, ""},
    {3, "H3", "大文件扫描", "扫描磁盘中>100MB的大文件，仅报告位置和大小，不自动删除", 0, ""},
    {3, "H2", "系统还原点清理", "删除旧的系统还原点以释放空间，建议保留最近1个还原点", 2, "H2"},
};

const char* const kRiskTexts[] = {"💡 轻微", "⚠ 轻度", "⚠ 中度"};

OptItem makeItem(const QString& id, const QString& title, const QString& description, int riskLevel,
                 bool infoOnly)
{
    OptItem item;
    item.id = id;
    item.title = title;
    item.description = description;
    item.riskLevel = riskLevel;
    item.riskText = riskText(riskLevel);
    item.infoOnly = infoOnly;
    return item;
}

// Appends unless an item with the same id is already there: two report records can yield one id (a
// start-up folder holding "foo.exe" and "foo.lnk" lists both as "foo"), and one id must be one row.
bool appendOnce(QVector<OptItem>& items, const OptItem& item)
{
    for (const OptItem& present : items) {
        if (!item.id.isEmpty() && present.id == item.id)
            return false;
    }
    items.append(item);
    return true;
}

// Joins two sentences with one full stop: a detail taken from the signature file already ends in one.
QString sentences(const QString& first, const QString& second)
{
    const QChar stop(0x3002);
    return first.endsWith(stop) ? first + second : first + stop + second;
}

OptItem placeholder(const char* title, const char* description)
{
    return makeItem(QString(), QString::fromUtf8(title), QString::fromUtf8(description), 0, true);
}

int junkRiskLevel(const QString& word)
{
    if (word == QLatin1String("high"))
        return 2;
    return word == QLatin1String("medium") ? 1 : 0;
}

} // namespace

QString riskText(int riskLevel)
{
    return QString::fromUtf8(kRiskTexts[qBound(0, riskLevel, 2)]);
}

QVector<OptGroup> build()
{
    QVector<OptGroup> groups;
    for (const GroupRow& row : kGroups)
        groups.append({QString::fromUtf8(row.icon), QString::fromUtf8(row.title), QString::fromUtf8(row.description),
                       {}});
    for (const FixedItemRow& row : kFixedItems) {
        OptItem item = makeItem(QString::fromLatin1(row.id), QString::fromUtf8(row.title),
                                QString::fromUtf8(row.description), row.riskLevel, false);
        item.confirmType = QString::fromLatin1(row.confirmType);
        groups[row.group].items.append(item);
    }
    return groups;
}

OptGroup startupGroup(const OptGroup& base, const QVector<StartupScanItem>& startupItems)
{
    OptGroup group{base.icon, base.title, QString(), {}};
    for (const StartupScanItem& entry : startupItems) {
        if (!entry.hijacked)
            continue;
        OptItem item = makeItem(QStringLiteral("HJ_") + entry.name, entry.name + QStringLiteral("（劫持风险）"),
                                QStringLiteral("这可能是恶意软件修改，建议寻求专业人员帮助。") + entry.command, 2,
                                true);
        item.tag = QStringLiteral("⚠ 劫持风险");
        appendOnce(group.items, item);
    }
    int suggested = 0;
    for (const StartupScanItem& entry : startupItems) {
        if (entry.hijacked || !entry.canDisable || entry.riskLevel < 1)
            continue;
        OptItem item = makeItem(QStringLiteral("ST:%1:%2").arg(entry.sourceType).arg(entry.name), entry.name,
                                entry.source + QStringLiteral("：") + entry.command,
                                entry.riskLevel >= 2 ? 2 : 1, false);
        item.riskText = entry.riskLabel;
        item.tag = entry.riskLabel;
        if (appendOnce(group.items, item))
            ++suggested;
    }
    if (group.items.isEmpty())
        group.items.append(placeholder("未发现明显异常", "扫描未发现需要处理的开机自启项。"));
    group.description = QStringLiteral("共扫描 %1 个自启项，其中 %2 项建议优化。").arg(startupItems.size()).arg(suggested);
    return group;
}

OptGroup junkGroup(const OptGroup& base, const QVector<JunkSoftwareHit>& junkSoftware)
{
    OptGroup group{base.icon, base.title, QString(), {}};
    for (const JunkSoftwareHit& hit : junkSoftware) {
        const QString name = hit.nameCn.isEmpty() ? hit.name : hit.nameCn;
        const QString about = hit.description.isEmpty() ? QStringLiteral("该软件可能带广告或捆绑行为") : hit.description;
        OptItem info = makeItem(QStringLiteral("ADW_") + hit.id, name,
                                QStringLiteral("检测维度：%1。%2").arg(hit.dimension, about),
                                junkRiskLevel(hit.riskLevel), true);
        info.tag = QStringLiteral("🟠 已安装的可疑软件");
        if (!appendOnce(group.items, info) || hit.evidencePaths.isEmpty())
            continue;
        appendOnce(group.items, makeItem(QStringLiteral("RES:") + hit.id, name + QStringLiteral(" 残留文件"),
                                         QStringLiteral("检测到卸载残留：") + hit.evidencePaths.join(QStringLiteral("、")),
                                         1, false));
    }
    if (group.items.isEmpty())
        group.items.append(placeholder("未发现垃圾软件", "未检测到特征库中的垃圾软件。"));
    group.description = QStringLiteral("检测到 %1 款可疑软件。卸载请到控制面板完成，本工具可清理勾选的残留文件。")
                            .arg(junkSoftware.size());
    return group;
}

OptGroup conflictGroup(const OptGroup& base, const QVector<ConflictAdvice>& conflicts)
{
    OptGroup group{base.icon, base.title, QString(), {}};
    for (const ConflictAdvice& advice : conflicts) {
        const bool antivirus = advice.category == QLatin1String("antivirus");
        group.items.append(makeItem(QStringLiteral("FAM_%1_%2").arg(advice.category).arg(group.items.size()),
                                    advice.title, sentences(advice.detail, advice.suggestion),
                                    antivirus ? 2 : 1, true));
    }
    if (group.items.isEmpty())
        group.items.append(placeholder("未发现明显冲突", "未检测到软件冲突或低质量软件。"));
    group.description = QStringLiteral("共 %1 条建议，全部仅提示，不自动修改。").arg(conflicts.size());
    return group;
}

void applyReport(QVector<OptGroup>& groups, const ScanReportBundle& report)
{
    groups[kStartupGroup] = startupGroup(groups[kStartupGroup], report.startupItems);
    groups[kJunkGroup] = junkGroup(groups[kJunkGroup], report.junkSoftware);
    groups[kConflictGroup] = conflictGroup(groups[kConflictGroup], report.conflicts);
}

} // namespace OptCatalogue
