#include "analysis/JunkSoftwareDetector.h"

#include "analysis/InstalledPrograms.h"
#include "analysis/StartupSources.h"
#include "engine/CanonicalPath.h"
#include "text/PlatformText.h"

using platform::Hive;

namespace {

const StartupSources::RunKey kStartupValueKeys[] = {
    {Hive::LocalMachine, StartupSources::kRun, "", 0},
    {Hive::CurrentUser, StartupSources::kRun, "", 0},
    {Hive::LocalMachine, StartupSources::kWow64Run, "", 0},
    {Hive::LocalMachine, StartupSources::kPoliciesRun, "", 0},
    {Hive::CurrentUser, StartupSources::kPoliciesRun, "", 0},
};

const QString kInstalledLabel = QStringLiteral("已安装程序");
const QString kProcessLabel = QStringLiteral("运行中进程");
const QString kStartupLabel = QStringLiteral("开机自启");
const QString kServiceLabel = QStringLiteral("服务");
const QString kFilePathLabel = QStringLiteral("文件路径");

} // namespace

JunkSoftwareDetector::JunkSoftwareDetector(platform::Platform& platform, const SignatureDatabase& database)
    : machine_(platform)
    , database_(database)
{
}

bool JunkSoftwareDetector::containsAny(const QString& text, const QStringList& entries)
{
    for (const QString& entry : entries) {
        if (text.contains(entry, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void JunkSoftwareDetector::recordMatch(ScanReportBundle& report, const SignatureDatabase& database,
                                       const AdwarePattern& pattern, const QString& label, const QString& evidencePath)
{
    if (database.whitelistPatternIds.contains(pattern.id, Qt::CaseSensitive))
        return;
    for (JunkSoftwareHit& hit : report.junkSoftware) {
        if (hit.id != pattern.id)
            continue;
        if (!evidencePath.isEmpty() && !hit.evidencePaths.contains(evidencePath, Qt::CaseSensitive))
            hit.evidencePaths.append(evidencePath);
        return;
    }
    JunkSoftwareHit hit;
    hit.id = pattern.id;
    hit.name = pattern.name;
    hit.nameCn = pattern.nameCn;
    hit.category = pattern.category;
    hit.riskLevel = pattern.riskLevel;
    hit.dimension = label;
    hit.description = pattern.description;
    if (!evidencePath.isEmpty())
        hit.evidencePaths.append(evidencePath);
    report.junkSoftware.append(hit);
}

void JunkSoftwareDetector::detect(ScanReportBundle& report) const
{
    if (!database_.loaded)
        return;
    scanInstalled(report);
    scanProcesses(report);
    scanStartupValues(report);
    scanServices(report);
    scanFilePaths(report);
}

void JunkSoftwareDetector::matchAll(ScanReportBundle& report, const QString& text, QStringList AdwarePattern::*list,
                                   const QString& label) const
{
    for (const AdwarePattern& pattern : database_.patterns) {
        if (containsAny(text, pattern.*list))
            recordMatch(report, database_, pattern, label, QString());
    }
}

void JunkSoftwareDetector::scanInstalled(ScanReportBundle& report) const
{
    for (const InstalledPrograms::Program& program : InstalledPrograms(machine_).programs()) {
        for (const AdwarePattern& pattern : database_.patterns) {
            if (containsAny(program.displayName, pattern.uninstallKeys))
                recordMatch(report, database_, pattern, kInstalledLabel, installEvidence(program.installLocation));
        }
    }
}

// The install folder of a program that is still installed is its own business: only a location that no
// longer exists (a leftover entry) is offered as evidence, so phase 2 never deletes a working program. The
// location is judged in the form Windows reads it, so a padded or quoted value names the folder it opens.
QString JunkSoftwareDetector::installEvidence(const QString& installLocation) const
{
    const CanonicalPath::Form form = CanonicalPath(machine_.platform()).of(toWString(installLocation));
    if (form.path.empty() || form.exists || machine_.exists(toQString(form.path)))
        return {};
    return toQString(form.path);
}

void JunkSoftwareDetector::scanProcesses(ScanReportBundle& report) const
{
    std::vector<platform::ProcessEntry> processes;
    if (!platform::succeeded(machine_.platform().processes.snapshot(processes)))
        return;
    for (const auto& process : processes) {
        const QString name = toQString(process.exeName);
        if (!containsAny(name, database_.whitelistProcessNames))
            matchAll(report, name, &AdwarePattern::processNames, kProcessLabel);
    }
}

void JunkSoftwareDetector::scanStartupValues(ScanReportBundle& report) const
{
    for (const auto& source : kStartupValueKeys) {
        const auto key = machine_.openKey(source.hive, QLatin1String(source.subKey));
        if (!key)
            continue;
        MachineQuery::forEachValue(*key, StartupSources::kMaxValueNameChars, StartupSources::kMaxRunDataBytes,
                                   [&](const QString& name, const platform::RegValue&) {
                                       matchAll(report, name, &AdwarePattern::startupNames, kStartupLabel);
                                   });
    }
}

void JunkSoftwareDetector::scanServices(ScanReportBundle& report) const
{
    std::unique_ptr<platform::ServiceManager> manager;
    std::vector<platform::ServiceEntry> services;
    if (!platform::succeeded(
            machine_.platform().services.openManager(platform::ManagerAccess::EnumerateService, manager)) ||
        !manager || !platform::succeeded(manager->enumerate(services)))
        return;
    for (const auto& service : services)
        matchAll(report, toQString(service.name), &AdwarePattern::serviceNames, kServiceLabel);
}

// Both sides expanded: a whitelist entry and a signature path written with the same variable, or one with a
// variable and one with its value, name the same place.
bool JunkSoftwareDetector::isWhitelistedPath(const QString& expandedPath) const
{
    const QString lowered = expandedPath.toLower();
    for (const QString& allowed : database_.whitelistFilePaths) {
        if (lowered.contains(machine_.expand(allowed).toLower()))
            return true;
    }
    return false;
}

void JunkSoftwareDetector::scanFilePaths(ScanReportBundle& report) const
{
    CanonicalPath canonical(machine_.platform());
    for (const AdwarePattern& pattern : database_.patterns) {
        for (const QString& signaturePath : pattern.filePaths) {
            if (isWhitelistedPath(machine_.expand(signaturePath)))
                continue;
            // A path that only exists once blanks, quotes or trailing dots are dropped is not the one written.
            const CanonicalPath::Form form = canonical.of(toWString(signaturePath));
            const QString path = toQString(form.path);
            if (!path.isEmpty() && !form.tidied && machine_.exists(path))
                recordMatch(report, database_, pattern, kFilePathLabel, path);
        }
    }
}
