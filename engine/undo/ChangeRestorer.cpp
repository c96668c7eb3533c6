#include "engine/undo/ChangeRestorer.h"

#include "engine/ConsoleTool.h"
#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeNames.h"
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
    names_ = ChangeNames(machine_).of(changes);
    open_.clear();
    for (const QString& name : qAsConst(names_))
        ++open_[name].changesLeft;
    const QString stopped = QLatin1String(ChangeJson::kServiceStopped);
    for (int i = changes.size() - 1; i >= 0; --i) {
        if (changes[i].value(QStringLiteral("kind")).toString() != stopped)
            report(i, restoreOne(changes[i]), summary, onLine);
    }
    for (int i = changes.size() - 1; i >= 0; --i) {
        if (changes[i].value(QStringLiteral("kind")).toString() == stopped)
            report(i, restoreOne(changes[i]), summary, onLine);
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

// A thing's line is written once the last of its changes is back: it failed when any change of it failed,
// was restored when any came back, and already was so otherwise.
void ChangeRestorer::report(int change, const Step& step, Summary& summary,
                            const std::function<void(const QString&)>& onLine)
{
    if (step.result == Result::Ignored)
        ++summary.ignored;
    if (step.result == Result::Unreadable)
        ++summary.unreadable;
    Thing& thing = open_[names_[change]];
    if (step.result == Result::Restored || step.result == Result::AlreadySo || step.result == Result::Failed)
        thing.merge(step);
    if (--thing.changesLeft > 0 || !thing.outcome)
        return;
    QString line = names_[change];
    switch (thing.outcome->result) {
    case Result::Restored:
        ++summary.restored;
        line += QStringLiteral("：已恢复");
        break;
    case Result::AlreadySo:
        ++summary.alreadySo;
        line += QStringLiteral("：已是原状");
        break;
    default:
        ++summary.failed;
        line += QStringLiteral("：恢复失败（%1）").arg(thing.outcome->reason);
        break;
    }
    emitLine(line, summary, onLine);
}

void ChangeRestorer::Thing::merge(const Step& step)
{
    const auto rank = [](Result result) { return result == Result::Failed ? 2 : result == Result::Restored ? 1 : 0; };
    if (!outcome || rank(step.result) > rank(outcome->result))
        outcome = step;
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
    return {Result::Ignored, {}};
}

ChangeRestorer::Step ChangeRestorer::registryValue(const QJsonObject& change)
{
    const auto place = RegistryPlace::fromJson(change);
    std::optional<RegValue> prior;
    if (!place || !change.contains(QStringLiteral("prior")) ||
        !ChangeJson::valueFromJson(change.value(QStringLiteral("prior")), prior, kLongestText * 64))
        return {};
    if (!prior && movedCopies_.contains(*place))
        return {Result::PartOfMove, {}};
    const std::optional<RegType> type = prior ? std::optional<RegType>(prior->type) : std::nullopt;
    const int limit = ChangeScope::registryValueLimit(place->hive, place->key, place->name, type);
    if (limit == 0 || (prior && static_cast<int>(prior->data.size()) > limit))
        return {Result::Ignored, {}};
    std::unique_ptr<RegistryKey> handle;
    Status status =
        machine_.registry.openKey(place->hive, toWString(place->key), RegAccess::ReadWrite, place->view, handle);
    if (status == ErrorFileNotFound && !prior)
        return {Result::AlreadySo, {}};
    if (status == ErrorFileNotFound)
        status =
            machine_.registry.createKey(place->hive, toWString(place->key), RegAccess::ReadWrite, place->view, handle);
    if (!succeeded(status))
        return {Result::Failed, statusText(status)};
    return putValue(*handle, place->name, prior);
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
        return {Result::Ignored, {}};
    const MoveBack::Result result = MoveBack(machine_.registry).restore(*original, *copy, *prior);
    switch (result.outcome) {
    case MoveBack::Outcome::Restored:
        return {Result::Restored, {}};
    case MoveBack::Outcome::AlreadySo:
        return {Result::AlreadySo, {}};
    case MoveBack::Outcome::Failed:
        break;
    }
    return {Result::Failed, result.reason};
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
        return {Result::Ignored, {}};
    std::unique_ptr<RegistryKey> handle;
    const Status status = machine_.devices.openAdapterDriverKey(toWString(*adapter), handle);
    if (!succeeded(status))
        return {Result::Failed, status == ErrorNotFound ? QStringLiteral("网卡已不存在") : statusText(status)};
    return putValue(*handle, *name, prior);
}

ChangeRestorer::Step ChangeRestorer::putValue(RegistryKey& key, const QString& name,
                                              const std::optional<RegValue>& prior)
{
    const std::wstring valueName = toWString(name);
    std::optional<RegValue> current;
    if (!RecordingKey::readState(key, valueName, current))
        return {Result::Failed, QStringLiteral("无法读取当前值")};
    if (current == prior)
        return {Result::AlreadySo, {}};
    const Status status = prior ? key.setValue(valueName, *prior) : key.deleteValue(valueName);
    if (!succeeded(status))
        return {Result::Failed, statusText(status)};
    if (!RecordingKey::readState(key, valueName, current) || !(current == prior))
        return {Result::Failed, QStringLiteral("写入后读回不符")};
    return {Result::Restored, {}};
}

ChangeRestorer::Step ChangeRestorer::registryKey(const QJsonObject& change)
{
    const auto hive = ChangeJson::hiveNamed(change.value(QStringLiteral("hive")).toString());
    const auto view = ChangeJson::viewNamed(change.value(QStringLiteral("view")).toString());
    const auto key = textOf(change, "key");
    if (!hive || !view || !key)
        return {};
    if (!ChangeScope::allowsKeyRemoval(*hive, *key))
        return {Result::Ignored, {}};
    std::unique_ptr<RegistryKey> handle;
    const Status status = machine_.registry.openKey(*hive, toWString(*key), RegAccess::Read, *view, handle);
    if (status == ErrorFileNotFound)
        return {Result::AlreadySo, {}};
    std::uint32_t values = 0;
    std::uint32_t subKeys = 0;
    if (!succeeded(status) || !succeeded(handle->valueCount(values)) || !succeeded(handle->subKeyCount(subKeys)))
        return {Result::Failed, statusText(status)};
    if (values > 0 || subKeys > 0)
        return {Result::Failed, QStringLiteral("项中已有其他内容，保留未删")};
    handle.reset();
    const Status removed = machine_.registry.deleteKey(*hive, toWString(*key), *view);
    if (!succeeded(removed))
        return {Result::Failed, statusText(removed)};
    return {Result::Restored, {}};
}

ChangeRestorer::Step ChangeRestorer::serviceStart(const QJsonObject& change)
{
    const auto service = textOf(change, "service");
    const QJsonValue prior = change.value(QStringLiteral("prior"));
    if (!service || !prior.isDouble() || prior.toDouble() != prior.toInt() || prior.toInt() < 0)
        return {};
    const auto startType = static_cast<std::uint32_t>(prior.toInt());
    if (!ChangeScope::allowsService(*service) || !ChangeScope::allowsStartType(startType))
        return {Result::Ignored, {}};
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
        return {Result::Failed, statusText(status)};
    if (config.startType == startType)
        return {Result::AlreadySo, {}};
    status = handle->changeStartType(startType);
    if (succeeded(status))
        status = handle->queryConfig(config);
    if (!succeeded(status))
        return {Result::Failed, statusText(status)};
    return config.startType == startType ? Step{Result::Restored, {}}
                                         : Step{Result::Failed, QStringLiteral("写入后读回不符")};
}

ChangeRestorer::Step ChangeRestorer::serviceStopped(const QJsonObject& change)
{
    const auto service = textOf(change, "service");
    if (!service)
        return {};
    if (!ChangeScope::allowsRestart(*service))
        return {Result::Ignored, {}};
    std::unique_ptr<ServiceManager> manager;
    std::unique_ptr<Service> handle;
    ServiceStatus state;
    Status status = machine_.services.openManager(ManagerAccess::Connect, manager);
    if (succeeded(status))
        status = manager->openService(toWString(*service), ServiceAccess::QueryStatus | ServiceAccess::Start, handle);
    if (succeeded(status))
        status = handle->queryStatus(state);
    if (!succeeded(status))
        return {Result::Failed, statusText(status)};
    if (state.currentState == ServiceState::Running || state.currentState == ServiceState::StartPending)
        return {Result::AlreadySo, {}};
    status = handle->start();
    if (!succeeded(status) && status != ErrorServiceAlreadyRunning)
        return {Result::Failed, statusText(status)};
    return {Result::Restored, {}};
}

ChangeRestorer::Step ChangeRestorer::task(const QJsonObject& change)
{
    const auto path = textOf(change, "path");
    const QJsonValue prior = change.value(QStringLiteral("prior"));
    if (!path || !prior.isBool())
        return {};
    if (!ChangeScope::allowsTask(*path))
        return {Result::Ignored, {}};
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
        return {Result::Failed, statusText(status)};
    if (enabled == prior.toBool())
        return {Result::AlreadySo, {}};
    status = handle->setEnabled(prior.toBool());
    if (succeeded(status))
        status = handle->enabled(enabled);
    if (!succeeded(status))
        return {Result::Failed, statusText(status)};
    return enabled == prior.toBool() ? Step{Result::Restored, {}}
                                     : Step{Result::Failed, QStringLiteral("写入后读回不符")};
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
        return {Result::Ignored, {}};
    const QString current = setting->read(machine_, *target);
    if (current == *prior)
        return {Result::AlreadySo, {}};
    QStringList command = setting->restore(*target, *prior);
    const QString tool = command.takeFirst();
    const ConsoleTool::Outcome outcome = ConsoleTool::run(machine_, tool, command, kToolWaitMs);
    if (!outcome.succeeded())
        return {Result::Failed, QStringLiteral("%1：%2").arg(tool, outcome.failure())};
    if (setting->read(machine_, *target) != *prior)
        return {Result::Failed, QStringLiteral("执行后读回不符")};
    return {Result::Restored, {}};
}
