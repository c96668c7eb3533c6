#pragma once

#include "analysis/MachineQuery.h"
#include "analysis/ScanReportBundle.h"
#include "analysis/SignatureDatabase.h"

// Advice on installed software: one or several antivirus products (from Windows Security Center, or a line
// saying it could not be asked), three or more installed programs of one kind, and installed low-quality
// software that the signature database lists as a low-risk "pup".
class ConflictAnalyzer {
public:
    ConflictAnalyzer(platform::Platform& platform, const SignatureDatabase& database);

    void run(QVector<ConflictAdvice>& conflicts) const;

    // Display names that Security Center reports through wmic (waits at most 8000 ms). `failure` says why
    // wmic gave no answer (missing, as on recent Windows 11, or too slow); empty when it answered.
    QStringList antivirusProducts(QString& failure) const;

    // Advice for the given names; pure, so that it can be tested without a machine.
    static void adviseAntivirus(QVector<ConflictAdvice>& conflicts, const QStringList& products);
    // A line in place of the antivirus advice when Security Center could not be asked.
    static void adviseAntivirusUnavailable(QVector<ConflictAdvice>& conflicts, const QString& failure);
    static void adviseOverlap(QVector<ConflictAdvice>& conflicts, const QStringList& installed);
    static void adviseLowQuality(QVector<ConflictAdvice>& conflicts, const QStringList& installed,
                                 const SignatureDatabase& database);

    static constexpr std::uint32_t kWmicWaitMs = 8000;

private:
    platform::Platform& platform_;
    MachineQuery machine_;
    const SignatureDatabase& database_;
};
