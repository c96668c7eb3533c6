#include "engine/undo/ChangeRestorer.h"

#include "engine/ConsoleTool.h"
#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeRecordFolder.h"
#include "engine/undo/ChangeScope.h"
#include "engine/undo/MoveBack.h"
#include "engine/undo/RecordingRegistry.h"
#include "engine/undo/ToolSettings.h"
#include "log/RunLogger.h"
#include "text/PlatformText.h"

#include <QDir>

using namespace platform;

namespace
{

constexpr int kToolWaitMs = 15000;
constexpr int kLongestText = 1024;
const char* const kStartTypeNames[] = {"引导", "系统", "自动", "手动", "禁用"};

// A member that must be a string of sensible length; null when it is missing or is not one.
std::optional<QString> textOf(const QJsonObject& change, const char* member)
{
    const QJsonValue value = change.value(QLatin1String(member));
    if (!value.isString() || value.toString().size() > kLongestText)
        return std::nullopt;
    return value.toString();
}

QString statusText(Status status)
{
    return QStringLiteral("错误 %1").arg(status);
}

bool isRegistryLine(const QJsonObject& change, bool priorExisted)
{
    return change.value(QStringLiteral("kind")).toString() == QLatin1String(ChangeJson::kRegistryValue) &&
           change.contains(QStringLiteral("prior")) && change.value(QStringLiteral("prior")).isNull() != priorExisted;
}

// A first-version record wrote a move as its two halves, the copy made (the value did not exist) and then the
// original deleted; only read as one move can the one be put back without the other.
QVector<QJsonObject> withMoves(const ChangeRecord& record)
{
    QVector<QJsonObject> changes = record.changes;
    if (record.header.version != ChangeRecord::kFirstVersion)
        return changes;
    for (int i = 1; i < changes.size(); ++i) {
        if (!isRegistryLine(changes[i], true) || !isRegistryLine(changes[i - 1], false))
            continue;
        const auto original = RegistryPlace::fromJson(changes[i]);
        const auto copy = RegistryPlace::fromJson(changes[i - 1]);
        if (!original || !copy || !ChangeScope::isProgramMove(*original, *copy))
            continue;
        changes[i].insert(QStringLiteral("kind"), QLatin1String(ChangeJson::kMovedValue));
        changes[i].insert(QStringLiteral("to"), copy->toJson());
    }
    return changes;
}

} // namespace

ChangeRestorer::ChangeRestorer(Platform& machine) : machine_(machine) {}

QString ChangeRestorer::irreversibleNote()
{
    return QStringLiteral("已删除的文件、系统还原点和卸载残留无法恢复，撤销只恢复设置。");
}

ChangeRestorer::Summary ChangeRestorer::restore(const ChangeRecord& record, const QString& device,
                                                const QString& machine,
                                                const std::function<void(const QString&)>& onLine)
{
    Summary summary;
    summary.unreadable = record.unreadableLines;
    RunLogger::instance().log(QStringLiteral("[撤销] 开始撤销更改记录 %1（%2 项）")
                                  .arg(QDir::toNativeSeparators(record.path))
                                  .arg(record.changes.size()));
    const QString refused = refusal(record, device, machine);
    if (!refused.isEmpty()) {
        summary.refused = true;
        emitLine(refused, summary, onLine);
        return summary;
    }
    movedCopies_.clear();
    const QVector<QJsonObject> changes = withMoves(record);
    const QString stopped = QLatin1String(ChangeJson::kServiceStopped);
    for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
        if (it->value(QStringLiteral("kind")).toString() != stopped)
            report(restoreOne(*it), summary, onLine);
    }
    for (auto it = changes.crbegin(); it != changes.crend(); ++it) {
        if (it->value(QStringLiteral("kind")).toString() == stopped)
            report(restoreOne(*it), summary, onLine);
    }
    if (summary.ignored > 0)
        emitLine(QStringLiteral("记录中有 %1 项不属于本程序会做的更改，已忽略").arg(summary.ignored), summary, onLine);
    if (summary.unreadable > 0)
        emitLine(QStringLiteral("记录中有 %1 项无法读取（记录不完整或已损坏），已跳过").arg(summary.unreadable),
                 summary, onLine);
    RunLogger::instance().log(QStringLiteral("[撤销] 完成：已恢复 %1 项，已是原状 %2 项，恢复失败 %3 项")
                                  .arg(summary.restored)
                                  .arg(summary.alreadySo)
                                  .arg(summary.failed));
    return summary;
}

QString ChangeRestorer::refusal(const ChangeRecord& record, const QString& device, const QString& machine)
{
    if (!ChangeRecordFolder::belongsTo(record, device, machine))
        return QStringLiteral("这份更改记录不是在这台电脑上用本程序生成的，未作任何更改");
    if (!ChangeRecordFolder::timesAgree(record, QDateTime::currentDateTime()))
        return QStringLiteral("这份更改记录的时间与文件名不符或晚于现在，可能被改动过，未作任何更改");
    return {};
}

void ChangeRestorer::report(const Step& step, Summary& summary, const std::function<void(const QString&)>& onLine)
{
    QString line;
    switch (step.result) {
    case Result::Restored:
        ++summary.restored;
        line = step.label + QStringLiteral("：已恢复");
        break;
    case Result::AlreadySo:
        ++summary.alreadySo;
        line = step.label + QStringLiteral("：已是原状");
        break;
    case Result::Failed:
        ++summary.failed;
        line = step.label + QStringLiteral("：恢复失败（%1）").arg(step.reason);
        break;
    case Result::Ignored:
        ++summary.ignored;
        return;
    case Result::Unreadable:
        ++summary.unreadable;
        return;
    case Result::PartOfMove:
        return;
    }
    emitLine(line, summary, onLine);
}

void ChangeRestorer::emitLine(const QString& line, Summary& summary, const std::function<void(const QString&)>& onLine)
{
    summary.lines.append(line);
    RunLogger::instance().log(QStringLiteral("[撤销] ") + line);
    if (onLine)
        onLine(line);
}

ChangeRestorer::Step ChangeRestorer::restoreOne(const QJsonObject& change)
{
    using Handler = Step (ChangeRestorer::*)(const QJsonObject&);
    static const std::pair<const char*, Handler> kHandlers[] = {
        {ChangeJson::kRegistryValue, &ChangeRestorer::registryValue},
        {ChangeJson::kMovedValue, &ChangeRestorer::movedValue},
        {ChangeJson::kAdapterValue, &ChangeRestorer::adapterValue},
        {ChangeJson::kRegistryKey, &ChangeRestorer::registryKey},
        {ChangeJson::kServiceStart, &ChangeRestorer::serviceStart},
        {ChangeJson::kServiceStopped, &ChangeRestorer::serviceStopped},
        {ChangeJson::kTaskEnabled, &ChangeRestorer::task},
        {ChangeJson::kSetting, &ChangeRestorer::setting},
    };
    const QString kind = change.value(QStringLiteral("kind")).toString();
    for (const auto& [name, handler] : kHandlers) {
        if (kind == QLatin1String(name))
            return (this->*handler)(change);
    }
    return {Result::Ignored, {}, {}};
}

ChangeRestorer::Step ChangeRestorer::registryValue(const QJsonObject& change)
{
    const auto place = RegistryPlace::fromJson(change);
    std::optional<RegValue> prior;
    if (!place || !change.contains(QStringLiteral("prior")) ||
        !ChangeJson::valueFromJson(change.value(QStringLiteral("prior")), prior, kLongestText * 64))
        return {};
    if (!prior && movedCopies_.contains(*place))
        return {Result::PartOfMove, {}, {}};
    const std::optional<RegType> type = prior ? std::optional<RegType>(prior->type) : std::nullopt;
    const int limit = ChangeScope::registryValueLimit(place->hive, place->key, place->name, type);
    if (limit == 0 || (prior && static_cast<int>(prior->data.size()) > limit))
        return {Result::Ignored, {}, {}};
    const QString label = place->label();
    std::unique_ptr<RegistryKey> handle;
    Status status =
        machine_.registry.openKey(place->hive, toWString(place->key), RegAccess::ReadWrite, place->view, handle);
    if (status == ErrorFileNotFound && !prior)
        return {Result::AlreadySo, label, {}};
    if (status == ErrorFileNotFound)
        status =
            machine_.registry.createKey(place->hive, toWString(place->key), RegAccess::ReadWrite, place->view, handle);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    return putValue(*handle, place->name, prior, label);
}

// The copy's own, older line (it did not exist before) belongs to the move whatever the move comes to: once
// the move is refused or fails, removing the copy would lose the value.
ChangeRestorer::Step ChangeRestorer::movedValue(const QJsonObject& change)
{
    const auto original = RegistryPlace::fromJson(change);
    const auto copy = RegistryPlace::fromJson(change.value(QStringLiteral("to")).toObject());
    std::optional<RegValue> prior;
    if (!original || !copy ||
        !ChangeJson::valueFromJson(change.value(QStringLiteral("prior")), prior, ChangeRecord::kMaxValueBytes) ||
        !prior)
        return {};
    movedCopies_.append(*copy);
    if (!ChangeScope::isProgramMove(*original, *copy))
        return {Result::Ignored, {}, {}};
    const MoveBack::Result result = MoveBack(machine_.registry).restore(*original, *copy, *prior);
    switch (result.outcome) {
    case MoveBack::Outcome::Restored:
        return {Result::Restored, original->label(), {}};
    case MoveBack::Outcome::AlreadySo:
        return {Result::AlreadySo, original->label(), {}};
    case MoveBack::Outcome::Failed:
        break;
    }
    return {Result::Failed, original->label(), result.reason};
}

ChangeRestorer::Step ChangeRestorer::adapterValue(const QJsonObject& change)
{
    const auto adapter = textOf(change, "adapter");
    const auto name = textOf(change, "value");
    std::optional<RegValue> prior;
    if (!adapter || !name || !change.contains(QStringLiteral("prior")) ||
        !ChangeJson::valueFromJson(change.value(QStringLiteral("prior")), prior, kLongestText))
        return {};
    const int limit =
        ChangeScope::adapterValueLimit(*adapter, *name, prior ? std::optional<RegType>(prior->type) : std::nullopt);
    if (limit == 0 || (prior && static_cast<int>(prior->data.size()) > limit))
        return {Result::Ignored, {}, {}};
    const QString label = QStringLiteral("网卡 %1 的电源管理设置").arg(*adapter);
    std::unique_ptr<RegistryKey> handle;
    const Status status = machine_.devices.openAdapterDriverKey(toWString(*adapter), handle);
    if (!succeeded(status))
        return {Result::Failed, label, status == ErrorNotFound ? QStringLiteral("网卡已不存在") : statusText(status)};
    return putValue(*handle, *name, prior, label);
}

ChangeRestorer::Step ChangeRestorer::putValue(RegistryKey& key, const QString& name,
                                              const std::optional<RegValue>& prior, const QString& label)
{
    const std::wstring valueName = toWString(name);
    std::optional<RegValue> current;
    if (!RecordingKey::readState(key, valueName, current))
        return {Result::Failed, label, QStringLiteral("无法读取当前值")};
    if (current == prior)
        return {Result::AlreadySo, label, {}};
    const Status status = prior ? key.setValue(valueName, *prior) : key.deleteValue(valueName);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    if (!RecordingKey::readState(key, valueName, current) || !(current == prior))
        return {Result::Failed, label, QStringLiteral("写入后读回不符")};
    return {Result::Restored, label, {}};
}

ChangeRestorer::Step ChangeRestorer::registryKey(const QJsonObject& change)
{
    const auto hive = ChangeJson::hiveNamed(change.value(QStringLiteral("hive")).toString());
    const auto view = ChangeJson::viewNamed(change.value(QStringLiteral("view")).toString());
    const auto key = textOf(change, "key");
    if (!hive || !view || !key)
        return {};
    if (!ChangeScope::allowsKeyRemoval(*hive, *key))
        return {Result::Ignored, {}, {}};
    const QString label = QStringLiteral("注册表项 %1\\%2").arg(ChangeJson::hiveName(*hive), *key);
    std::unique_ptr<RegistryKey> handle;
    const Status status = machine_.registry.openKey(*hive, toWString(*key), RegAccess::Read, *view, handle);
    if (status == ErrorFileNotFound)
        return {Result::AlreadySo, label, {}};
    std::uint32_t values = 0;
    std::uint32_t subKeys = 0;
    if (!succeeded(status) || !succeeded(handle->valueCount(values)) || !succeeded(handle->subKeyCount(subKeys)))
        return {Result::Failed, label, statusText(status)};
    if (values > 0 || subKeys > 0)
        return {Result::Failed, label, QStringLiteral("项中已有其他内容，保留未删")};
    handle.reset();
    const Status removed = machine_.registry.deleteKey(*hive, toWString(*key), *view);
    if (!succeeded(removed))
        return {Result::Failed, label, statusText(removed)};
    return {Result::Restored, label, {}};
}

ChangeRestorer::Step ChangeRestorer::serviceStart(const QJsonObject& change)
{
    const auto service = textOf(change, "service");
    const QJsonValue prior = change.value(QStringLiteral("prior"));
    if (!service || !prior.isDouble() || prior.toDouble() != prior.toInt() || prior.toInt() < 0)
        return {};
    const auto startType = static_cast<std::uint32_t>(prior.toInt());
    if (!ChangeScope::allowsService(*service) || !ChangeScope::allowsStartType(startType))
        return {Result::Ignored, {}, {}};
    const QString label =
        QStringLiteral("服务 %1 启动类型（%2）").arg(*service, QString::fromUtf8(kStartTypeNames[startType]));
    std::unique_ptr<ServiceManager> manager;
    std::unique_ptr<Service> handle;
    ServiceConfig config;
    Status status = machine_.services.openManager(ManagerAccess::Connect, manager);
    if (succeeded(status))
        status =
            manager->openService(toWString(*service), ServiceAccess::QueryConfig | ServiceAccess::ChangeConfig, handle);
    if (succeeded(status))
        status = handle->queryConfig(config);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    if (config.startType == startType)
        return {Result::AlreadySo, label, {}};
    status = handle->changeStartType(startType);
    if (succeeded(status))
        status = handle->queryConfig(config);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    return config.startType == startType ? Step{Result::Restored, label, {}}
                                         : Step{Result::Failed, label, QStringLiteral("写入后读回不符")};
}

ChangeRestorer::Step ChangeRestorer::serviceStopped(const QJsonObject& change)
{
    const auto service = textOf(change, "service");
    if (!service)
        return {};
    if (!ChangeScope::allowsRestart(*service))
        return {Result::Ignored, {}, {}};
    const QString label = QStringLiteral("服务 %1 运行状态").arg(*service);
    std::unique_ptr<ServiceManager> manager;
    std::unique_ptr<Service> handle;
    ServiceStatus state;
    Status status = machine_.services.openManager(ManagerAccess::Connect, manager);
    if (succeeded(status))
        status = manager->openService(toWString(*service), ServiceAccess::QueryStatus | ServiceAccess::Start, handle);
    if (succeeded(status))
        status = handle->queryStatus(state);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    if (state.currentState == ServiceState::Running || state.currentState == ServiceState::StartPending)
        return {Result::AlreadySo, label, {}};
    status = handle->start();
    if (!succeeded(status) && status != ErrorServiceAlreadyRunning)
        return {Result::Failed, label, statusText(status)};
    return {Result::Restored, label, {}};
}

ChangeRestorer::Step ChangeRestorer::task(const QJsonObject& change)
{
    const auto path = textOf(change, "path");
    const QJsonValue prior = change.value(QStringLiteral("prior"));
    if (!path || !prior.isBool())
        return {};
    if (!ChangeScope::allowsTask(*path))
        return {Result::Ignored, {}, {}};
    const QString label = QStringLiteral("计划任务 %1").arg(*path);
    const int slash = path->lastIndexOf(QLatin1Char('\\'));
    std::unique_ptr<TaskFolder> folder;
    std::unique_ptr<ScheduledTask> handle;
    Status status = machine_.tasks.folder(toWString(path->left(qMax(slash, 1))), folder);
    if (succeeded(status))
        status = folder->task(toWString(path->mid(slash + 1)), handle);
    bool enabled = false;
    if (succeeded(status))
        status = handle->enabled(enabled);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    if (enabled == prior.toBool())
        return {Result::AlreadySo, label, {}};
    status = handle->setEnabled(prior.toBool());
    if (succeeded(status))
        status = handle->enabled(enabled);
    if (!succeeded(status))
        return {Result::Failed, label, statusText(status)};
    return enabled == prior.toBool() ? Step{Result::Restored, label, {}}
                                     : Step{Result::Failed, label, QStringLiteral("写入后读回不符")};
}

ChangeRestorer::Step ChangeRestorer::setting(const QJsonObject& change)
{
    const auto id = textOf(change, "setting");
    const auto target = textOf(change, "target");
    const auto prior = textOf(change, "prior");
    if (!id || !target || !prior)
        return {};
    const ToolSetting* setting = ToolSetting::named(*id);
    if (!setting || !setting->plausible(*target, *prior))
        return {Result::Ignored, {}, {}};
    const QString label = setting->describe(*target);
    const QString current = setting->read(machine_, *target);
    if (current == *prior)
        return {Result::AlreadySo, label, {}};
    QStringList command = setting->restore(*target, *prior);
    const QString tool = command.takeFirst();
    const ConsoleTool::Outcome outcome = ConsoleTool::run(machine_, tool, command, kToolWaitMs);
    if (!outcome.succeeded())
        return {Result::Failed, label, QStringLiteral("%1：%2").arg(tool, outcome.failure())};
    if (setting->read(machine_, *target) != *prior)
        return {Result::Failed, label, QStringLiteral("执行后读回不符")};
    return {Result::Restored, label, {}};
}
