#pragma once

#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"

// Looks for every junk-software signature in five places, in order: installed programs, running processes,
// start-up value names, service names and known file paths. Each signature found anywhere gives one record,
// labelled with the first place that found it; paths found for it are gathered as its evidence.
class JunkSoftwareDetector {
public:
    JunkSoftwareDetector(platform::Platform& platform, const SignatureDatabase& database);

    // Does nothing while the database is not loaded.
    void detect(ScanReportBundle& report) const;

    // The one way a match enters the report: whitelisted ids are dropped, a second match of the same id only
    // adds its evidence path (once), a first match appends a record.
    static void recordMatch(ScanReportBundle& report, const SignatureDatabase& database, const AdwarePattern& pattern,
                            const QString& label, const QString& evidencePath);

    // True when `text` contains (any case) one of `entries`; an empty entry matches everything.
    static bool containsAny(const QString& text, const QStringList& entries);

private:
    void scanInstalled(ScanReportBundle& report) const;
    void scanProcesses(ScanReportBundle& report) const;
    void scanStartupValues(ScanReportBundle& report) const;
    void scanServices(ScanReportBundle& report) const;
    void scanFilePaths(ScanReportBundle& report) const;
    void matchAll(ScanReportBundle& report, const QString& text, QStringList AdwarePattern::*list,
                  const QString& label) const;
    bool isWhitelistedPath(const QString& expandedPath) const;
    QString installEvidence(const QString& installLocation) const;

    MachineQuery machine_;
    const SignatureDatabase& database_;
};
