#include "engine/ConsoleTool.h"

#include "engine/NativeSystemFolder.h"
#include "text/ConsoleText.h"
#include "text/PlatformText.h"

namespace {

std::vector<std::wstring> words(const QStringList& arguments)
{
    std::vector<std::wstring> result;
    for (const QString& argument : arguments)
        result.push_back(toWString(argument));
    return result;
}

} // namespace

QString ConsoleTool::Outcome::failure() const
{
    if (succeeded())
        return QString();
    switch (status) {
    case platform::ErrorSuccess:
        return QStringLiteral("退出码 %1").arg(exitCode);
    case platform::ErrorFileNotFound:
    case platform::ErrorPathNotFound:
        return QStringLiteral("未找到程序");
    case platform::WaitTimeout:
        return QStringLiteral("超时未结束");
    default:
        return QStringLiteral("无法启动（错误 %1）").arg(status);
    }
}

ConsoleTool::Outcome ConsoleTool::run(platform::Platform& machine, const QString& program,
                                      const QStringList& arguments, int waitMs)
{
    platform::CommandResult result;
    Outcome outcome;
    const QString path = NativeSystemFolder(machine).tool(program);
    outcome.status =
        machine.commands.run(toWString(path), words(arguments), static_cast<std::uint32_t>(waitMs), result);
    outcome.exitCode = result.exitCode;
    outcome.output = ConsoleText::fromTool(result.output, machine.commands);
    return outcome;
}

platform::Status ConsoleTool::startDetached(platform::Platform& machine, const QString& program,
                                            const QStringList& arguments)
{
    return machine.commands.startDetached(toWString(NativeSystemFolder(machine).tool(program)), words(arguments));
}
