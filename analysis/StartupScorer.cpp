#include "analysis/StartupScorer.h"

#include "analysis/ExecutablePath.h"
#include "analysis/StartupScoring.h"

StartupScorer::StartupScorer(const MachineQuery& machine, const SignatureDatabase& database)
    : machine_(machine)
    , database_(database)
    , trust_(machine)
{
}

StartupScanItem StartupScorer::score(const QString& name, const QString& command, const QString& source,
                                     int sourceType) const
{
    const auto isFile = [this](const QString& path) { return machine_.isFile(machine_.expand(path)); };
    return scored(name, command, executableOf(command, isFile), source, sourceType);
}

StartupScanItem StartupScorer::scoreProgram(const QString& name, const QString& program, const QString& source,
                                            int sourceType) const
{
    return scored(name, program, program, source, sourceType);
}

StartupScanItem StartupScorer::scored(const QString& name, const QString& command, const QString& exe,
                                      const QString& source, int sourceType) const
{
    StartupScanItem item;
    item.name = name;
    item.command = command;
    item.source = source;
    item.sourceType = sourceType;

    const QString expanded = exe.isEmpty() ? QString() : machine_.expand(exe);
    const bool isSigned = trust_.isSigned(expanded);
    const bool locationOk = !exe.isEmpty() && StartupScoring::isNormalLocation(expanded, isSigned);

    int score = isSigned ? 25 : 0;
    if (locationOk)
        score += 25;
    if (isSigned)
        score += 25;
    else if (locationOk && machine_.exists(expanded))
        score += 10;
    if (!StartupScoring::isJunkName(name, database_))
        score += 25;

    item.score = score;
    StartupScoring::grade(item);
    item.canDisable = StartupScoring::canDisable(sourceType);
    item.hijacked = false;
    return item;
}
