#include "phase2/Phase2Sample.h"

#include "engine/PhaseTwoPlaces.h"

namespace {

struct SampleLine {
    const char* id;
    const char* line;
};

const SampleLine kSamples[] = {
    {"E1", "TCP自动调优：已恢复为 normal"},
    {"F3", "磁盘诊断服务：已禁用后台收集任务（2 个）"},
    {"A2", "事件日志大小限制：已设为 256 MB（Application、System、Security）"},
    {"H2", "系统还原点：共 3 个，已删除 2 个，保留最近 1 个"},
    {"H3", "大文件扫描：\nC:\\Users\\Public\\Videos\\家庭录像.mp4 (2048 MB)\nC:\\Users\\Public\\Downloads\\安装包.iso (4096 MB)"},
};

} // namespace

QString Phase2Sample::resultLine(const OptItem& item)
{
    for (const auto& sample : kSamples) {
        if (item.id == QLatin1String(sample.id))
            return QString::fromUtf8(sample.line);
    }
    if (item.id.startsWith(QLatin1String("ST:")))
        return QStringLiteral("已禁用开机自启：%1").arg(item.id.section(QLatin1Char(':'), 2));
    if (item.id.startsWith(QLatin1String("RES:"))) {
        QString name = item.title;
        if (name.endsWith(QStringLiteral(" 残留文件")))
            name.chop(5);
        return QStringLiteral("%1 残留清理：删除 2 个残留项").arg(name);
    }
    const QString service = PhaseTwoPlaces::manualStartServiceOf(item.id);
    if (service.isEmpty())
        return QStringLiteral("%1：未知服务项").arg(item.title);
    return QStringLiteral("%1（%2）：已设为手动启动").arg(item.title, service);
}
