#include "engine/StorageDecision.h"

namespace {

bool memoryRichSpacePoor(const StorageFacts& facts)
{
    return facts.ramGB >= 16 && facts.freeGB < 20;
}

QString restoreAdviceFor(qint64 freeGB)
{
    if (freeGB > 50)
        return QStringLiteral("空间充裕，保持系统还原");
    if (freeGB >= 30)
        return QStringLiteral("保持系统还原");
    return QStringLiteral("建议减小还原点配额至 3-5%");
}

} // namespace

StorageDecision StorageDecision::decide(const StorageFacts& facts)
{
    StorageDecision decision;
    decision.decideFastStartup(facts);
    decision.decideHibernation(facts);
    decision.pagefileAdvice = memoryRichSpacePoor(facts) ? QStringLiteral("建议将虚拟内存减小至 2-4GB")
                                                         : QStringLiteral("保持系统自动管理");
    decision.restoreAdvice = restoreAdviceFor(facts.freeGB);
    return decision;
}

int StorageDecision::estimatedHibernationMB(qint64 ramGB)
{
    return static_cast<int>(ramGB * 1024 * 786432 / 1048576);
}

void StorageDecision::decideFastStartup(const StorageFacts& facts)
{
    fastStartupEnabled = false;
    if (facts.dualBoot) {
        fastStartupReason = QStringLiteral("双系统环境，不建议启用快速启动（安全风险）");
    } else if (facts.totalGB < 32) {
        fastStartupReason = QStringLiteral("系统盘容量不足32GB，不建议启用");
    } else if (facts.freeGB < 5) {
        fastStartupReason = QStringLiteral("可用空间不足5GB，无法创建休眠文件");
    } else {
        fastStartupEnabled = true;
        fastStartupReason = QStringLiteral("空间充裕，建议启用快速启动");
    }
}

void StorageDecision::decideHibernation(const StorageFacts& facts)
{
    keepHibernation = true;
    if (fastStartupEnabled) {
        hibernationReason = QStringLiteral("快速启动依赖休眠文件，必须保持休眠");
    } else if (facts.hasBattery && facts.onBattery) {
        hibernationReason = QStringLiteral("笔记本电池供电，建议保持休眠（防断电丢工作）");
    } else if (memoryRichSpacePoor(facts)) {
        keepHibernation = false;
        hibernationReason = QStringLiteral("内存≥16GB且空间不足20GB，建议关闭休眠（约释放 %1 GB）").arg(facts.ramGB * 3 / 4);
    } else {
        hibernationReason = QStringLiteral("空间充裕，建议保持休眠");
    }
}
