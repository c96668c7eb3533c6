#include "engine/ConsoleTool.h"

#include "engine/PlatformText.h"

ConsoleTool::Outcome ConsoleTool::run(platform::Platform& machine, const QString& program,
                                      const QStringList& arguments, int waitMs)
{
    std::vector<std::wstring> words;
    for (const QString& argument : arguments)
        words.push_back(toWString(argument));
    platform::CommandResult result;
    Outcome outcome;
    outcome.status = machine.commands.run(toWString(program), words, static_cast<std::uint32_t>(waitMs), result);
    outcome.exitCode = result.exitCode;
    outcome.output = QByteArray::fromStdString(result.output);
    return outcome;
}
