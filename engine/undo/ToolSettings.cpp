#include "engine/undo/ToolSettings.h"

#include "engine/ConsoleTool.h"
#include "engine/PhaseTwoPlaces.h"
#include "text/ConsoleText.h"
#include "text/PlatformText.h"

#include <QRegularExpression>

namespace
{

constexpr int kWaitMs = 5000;
const QString kAbsent = QStringLiteral("absent");
const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");
const QStringList kTuningLevels = {QStringLiteral("disabled"), QStringLiteral("highlyrestricted"),
                                   QStringLiteral("restricted"), QStringLiteral("normal"),
                                   QStringLiteral("experimental")};

bool equal(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

bool isNumber(const QString& text, int maxDigits)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    return !text.isEmpty() && text.size() <= maxDigits && digits.match(text).hasMatch();
}

QStringList outputLines(platform::Platform& machine, const QString& tool, const QStringList& arguments)
{
    const ConsoleTool::Outcome outcome = ConsoleTool::run(machine, tool, arguments, kWaitMs);
    return outcome.succeeded() ? ConsoleText::lines(outcome.output) : QStringList{};
}

// bcdedit lists an entry as "element   value" lines; element names are never translated. "absent" when the
// listing has no such element, empty when there is no listing at all.
QString bootElement(platform::Platform& machine, const QString& entry, const QString& element)
{
    const QStringList lines = outputLines(machine, QStringLiteral("bcdedit"), {QStringLiteral("/enum"), entry});
    if (lines.isEmpty())
        return {};
    for (const QString& line : lines) {
        const QStringList words = line.simplified().split(QLatin1Char(' '));
        if (words.size() >= 2 && words.first().compare(element, Qt::CaseInsensitive) == 0)
            return words.mid(1).join(QLatin1Char(' '));
    }
    return kAbsent;
}

QString yesNo(const QString& value)
{
    static const QStringList yes = {QStringLiteral("yes"), QStringLiteral("on"), QStringLiteral("true"),
                                    QStringLiteral("是")};
    static const QStringList no = {QStringLiteral("no"), QStringLiteral("off"), QStringLiteral("false"),
                                   QStringLiteral("否")};
    if (value.isEmpty() || value == kAbsent)
        return value;
    if (yes.contains(value.toLower()))
        return kOn;
    return no.contains(value.toLower()) ? kOff : QString();
}

bool quietBootChange(const QString& tool, const QStringList& arguments, QString& target)
{
    target = QStringLiteral("{current}");
    return tool == QLatin1String("bcdedit") && arguments.size() == 4 && equal(arguments[0], "/set") &&
           equal(arguments[1], "{current}") && equal(arguments[2], "quietboot");
}

QString quietBootRead(platform::Platform& machine, const QString&)
{
    return yesNo(bootElement(machine, QStringLiteral("{current}"), QStringLiteral("quietboot")));
}

bool quietBootPlausible(const QString& target, const QString& state)
{
    return target == QLatin1String("{current}") && (state == kOn || state == kOff || state == kAbsent);
}

QStringList quietBootRestore(const QString&, const QString& state)
{
    if (state == kAbsent)
        return {QStringLiteral("bcdedit"), QStringLiteral("/deletevalue"), QStringLiteral("{current}"),
                QStringLiteral("quietboot")};
    return {QStringLiteral("bcdedit"), QStringLiteral("/set"), QStringLiteral("{current}"), QStringLiteral("quietboot"),
            state};
}

bool timeoutChange(const QString& tool, const QStringList& arguments, QString& target)
{
    target = QStringLiteral("{bootmgr}");
    return tool == QLatin1String("bcdedit") && arguments.size() == 2 && equal(arguments[0], "/timeout");
}

QString timeoutRead(platform::Platform& machine, const QString&)
{
    const QString value = bootElement(machine, QStringLiteral("{bootmgr}"), QStringLiteral("timeout"));
    return value == kAbsent || isNumber(value, 9) ? value : QString();
}

bool timeoutPlausible(const QString& target, const QString& state)
{
    // bcdedit takes any number, but Windows' own boot options offer at most 999 seconds.
    return target == QLatin1String("{bootmgr}") && (state == kAbsent || isNumber(state, 3));
}

QStringList timeoutRestore(const QString&, const QString& state)
{
    if (state == kAbsent)
        return {QStringLiteral("bcdedit"), QStringLiteral("/deletevalue"), QStringLiteral("{bootmgr}"),
                QStringLiteral("timeout")};
    return {QStringLiteral("bcdedit"), QStringLiteral("/timeout"), state};
}

bool hibernationChange(const QString& tool, const QStringList& arguments, QString& target)
{
    static const QStringList switches = {QStringLiteral("/hibernate"), QStringLiteral("/h"),
                                         QStringLiteral("-hibernate"), QStringLiteral("-h")};
    target.clear();
    return tool == QLatin1String("powercfg") && arguments.size() == 2 && switches.contains(arguments[0].toLower()) &&
           (equal(arguments[1], "on") || equal(arguments[1], "off"));
}

// Windows keeps hiberfil.sys at the root of the system drive exactly while hibernation is on.
QString hibernationRead(platform::Platform& machine, const QString&)
{
    std::wstring system;
    if (!platform::succeeded(machine.systemInfo.systemDirectory(system, 260)) || system.size() < 2 || system[1] != L':')
        return {};
    platform::FileEntry entry;
    const platform::Status status = machine.files.attributes(system.substr(0, 2) + L"\\hiberfil.sys", entry);
    if (platform::succeeded(status))
        return kOn;
    return status == platform::ErrorFileNotFound ? kOff : QString();
}

bool hibernationPlausible(const QString& target, const QString& state)
{
    return target.isEmpty() && (state == kOn || state == kOff);
}

QStringList hibernationRestore(const QString&, const QString& state)
{
    return {QStringLiteral("powercfg"), QStringLiteral("/hibernate"), state};
}

const QRegularExpression& schemeGuid()
{
    static const QRegularExpression guid(
        QStringLiteral("[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}"));
    return guid;
}

bool schemeChange(const QString& tool, const QStringList& arguments, QString& target)
{
    target.clear();
    return tool == QLatin1String("powercfg") && arguments.size() == 2 &&
           (equal(arguments[0], "/setactive") || equal(arguments[0], "-setactive"));
}

QString schemeRead(platform::Platform& machine, const QString&)
{
    for (const QString& line : outputLines(machine, QStringLiteral("powercfg"), {QStringLiteral("/getactivescheme")})) {
        const auto match = schemeGuid().match(line);
        if (match.hasMatch())
            return match.captured().toLower();
    }
    return {};
}

bool schemePlausible(const QString& target, const QString& state)
{
    return target.isEmpty() && state.size() == 36 && schemeGuid().match(state).hasMatch() && state == state.toLower();
}

QStringList schemeRestore(const QString&, const QString& state)
{
    return {QStringLiteral("powercfg"), QStringLiteral("/setactive"), state};
}

bool tuningChange(const QString& tool, const QStringList& arguments, QString& target)
{
    target.clear();
    return tool == QLatin1String("netsh") && arguments.size() == 5 && equal(arguments[0], "interface") &&
           equal(arguments[1], "tcp") && equal(arguments[2], "set") && equal(arguments[3], "global") &&
           arguments[4].startsWith(QLatin1String("autotuninglevel="), Qt::CaseInsensitive);
}

// The label is translated ("Receive Window Auto-Tuning Level", "接收窗口自动调节级别"); the level is not.
QString tuningRead(platform::Platform& machine, const QString&)
{
    const QStringList lines = outputLines(
        machine, QStringLiteral("netsh"),
        {QStringLiteral("interface"), QStringLiteral("tcp"), QStringLiteral("show"), QStringLiteral("global")});
    for (const QString& line : lines) {
        const int colon = line.lastIndexOf(QLatin1Char(':'));
        const QString label = line.left(colon);
        const QString level = line.mid(colon + 1).trimmed().toLower();
        if (colon > 0 &&
            (label.contains(QLatin1String("Auto-Tuning"), Qt::CaseInsensitive) ||
             label.contains(QStringLiteral("自动调"))) &&
            kTuningLevels.contains(level))
            return level;
    }
    return {};
}

bool tuningPlausible(const QString& target, const QString& state)
{
    return target.isEmpty() && kTuningLevels.contains(state);
}

QStringList tuningRestore(const QString&, const QString& state)
{
    return {QStringLiteral("netsh"), QStringLiteral("interface"), QStringLiteral("tcp"),
            QStringLiteral("set"),   QStringLiteral("global"),    QStringLiteral("autotuninglevel=") + state};
}

bool logSizeChange(const QString& tool, const QStringList& arguments, QString& target)
{
    target = arguments.value(1);
    return tool == QLatin1String("wevtutil") && arguments.size() == 3 && equal(arguments[0], "sl") &&
           arguments[2].startsWith(QLatin1String("/ms:"), Qt::CaseInsensitive);
}

QString logSizeRead(platform::Platform& machine, const QString& target)
{
    const ConsoleTool::Outcome outcome =
        ConsoleTool::run(machine, QStringLiteral("wevtutil"), {QStringLiteral("gl"), target}, kWaitMs);
    const qint64 size = outcome.succeeded() ? PhaseTwoPlaces::eventLogMaxSizeOf(outcome.output) : -1;
    return size < 0 ? QString() : QString::number(size);
}

bool logSizePlausible(const QString& target, const QString& state)
{
    // Windows keeps these logs' sizes in whole 64 KB steps, up to 4,194,240 KB.
    constexpr qint64 kStep = 64 * 1024;
    constexpr qint64 kSmallest = 1048576;
    constexpr qint64 kLargest = qint64(4194240) * 1024;
    const qint64 size = isNumber(state, 14) ? state.toLongLong() : 0;
    return PhaseTwoPlaces::isLimitedEventLog(target) && size >= kSmallest && size <= kLargest && size % kStep == 0;
}

QStringList logSizeRestore(const QString& target, const QString& state)
{
    return {QStringLiteral("wevtutil"), QStringLiteral("sl"), target, QStringLiteral("/ms:") + state};
}

const ToolSetting kSettings[] = {
    {"bootLogo", "启动徽标", quietBootChange, quietBootRead, quietBootPlausible, quietBootRestore},
    {"bootTimeout", "启动菜单等待时间", timeoutChange, timeoutRead, timeoutPlausible, timeoutRestore},
    {"hibernation", "休眠", hibernationChange, hibernationRead, hibernationPlausible, hibernationRestore},
    {"powerScheme", "电源计划", schemeChange, schemeRead, schemePlausible, schemeRestore},
    {"tcpAutoTuning", "TCP自动调优", tuningChange, tuningRead, tuningPlausible, tuningRestore},
    {"eventLogSize", "事件日志 %1 大小", logSizeChange, logSizeRead, logSizePlausible, logSizeRestore},
};

} // namespace

QString ToolSetting::describe(const QString& target) const
{
    const QString text = QString::fromUtf8(label);
    return text.contains(QLatin1String("%1")) ? text.arg(target) : text;
}

const ToolSetting* ToolSetting::named(const QString& id)
{
    for (const auto& setting : kSettings) {
        if (id == QLatin1String(setting.id))
            return &setting;
    }
    return nullptr;
}

const ToolSetting* ToolSetting::begin()
{
    return std::begin(kSettings);
}

const ToolSetting* ToolSetting::end()
{
    return std::end(kSettings);
}
