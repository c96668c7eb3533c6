#include "engine/undo/RecordingCommands.h"

#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeRecordWriter.h"
#include "engine/undo/ToolSettings.h"
#include "text/PlatformText.h"

#include <QFileInfo>
#include <QJsonObject>

namespace
{

QString toolName(const std::wstring& program)
{
    QString name = toQString(program);
    name = name.mid(qMax(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/'))) + 1).toLower();
    return name.endsWith(QLatin1String(".exe")) ? name.chopped(4) : name;
}

} // namespace

RecordingCommands::RecordingCommands(platform::Platform& inner, ChangeRecordWriter& record)
    : inner_(inner), record_(record)
{
}

platform::Status RecordingCommands::run(const std::wstring& program, const std::vector<std::wstring>& arguments,
                                        std::uint32_t timeoutMs, platform::CommandResult& result)
{
    recordPrior(program, arguments);
    return inner_.commands.run(program, arguments, timeoutMs, result);
}

platform::Status RecordingCommands::startDetached(const std::wstring& program,
                                                  const std::vector<std::wstring>& arguments)
{
    return inner_.commands.startDetached(program, arguments);
}

std::wstring RecordingCommands::consoleText(const std::string& bytes) const
{
    return inner_.commands.consoleText(bytes);
}

void RecordingCommands::recordPrior(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    const QString tool = toolName(program);
    QStringList words;
    for (const auto& argument : arguments)
        words.append(toQString(argument));
    for (const ToolSetting* setting = ToolSetting::begin(); setting != ToolSetting::end(); ++setting) {
        QString target;
        if (!setting->changes(tool, words, target))
            continue;
        const QString prior = setting->read(inner_, target);
        if (prior.isEmpty())
            return;
        record_.append({{QStringLiteral("kind"), QLatin1String(ChangeJson::kSetting)},
                        {QStringLiteral("setting"), QLatin1String(setting->id)},
                        {QStringLiteral("target"), target},
                        {QStringLiteral("prior"), prior}});
        return;
    }
}
