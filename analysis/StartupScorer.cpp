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
    const FileTrust::Verdict trust = trust_.verdict(expanded);
    const bool isSigned = trust == FileTrust::Verdict::Signed;
    const bool locationOk = !exe.isEmpty() && StartupScoring::isNormalLocation(expanded, isSigned);
    const int locationScore = locationOk ? 25 : 0;
    const int nameScore = StartupScoring::isJunkName(name, database_) ? 0 : 25;
    const bool unsignedThere = trust == FileTrust::Verdict::Unsigned && locationOk && machine_.exists(expanded);

    // A signature this PC cannot check is left out rather than guessed: location and name then count double.
    if (trust == FileTrust::Verdict::Unknown)
        item.score = 2 * (locationScore + nameScore);
    else
        item.score = (isSigned ? 50 : 0) + locationScore + (unsignedThere ? 10 : 0) + nameScore;
    StartupScoring::grade(item);
    if (trust == FileTrust::Verdict::Unknown)
        item.riskLabel += QStringLiteral("（签名无法验证）");
    item.canDisable = StartupScoring::canDisable(sourceType);
    item.hijacked = false;
    return item;
}
