#pragma once

#include "analysis/ScanReportBundle.h"
#include "platform/Platform.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>

class OptimizeCore;

// One headless phase-1 run on a given machine, printed as the command-line programs print it: a
// "progress STEP PERCENT% TEXT" line per progress signal, "refused: MESSAGE" when the environment check
// refuses, "report: FILE" once the analysis report is written, and at the end the run log itself.
// Shared by tidewell-sim (the simulated PC) and tidewell-console (the real PC on Windows).
class PhaseOneRun {
public:
    PhaseOneRun(QTextStream& out, QTextStream& err, const QString& programName);

    // Starts the run log (in `logDir`, or <appDir>/logs when empty), runs phase 1 and writes the analysis
    // report to `reportPath` unless it is empty. Returns kFinished, kRefused, or kUsage when the report
    // cannot be written.
    int run(platform::Platform& machine, const QString& appDir, const QString& logDir, const QString& reportPath);

    // The analysis report of the last run (empty after a refusal).
    const ScanReportBundle& report() const { return report_; }

    // The last run for --json: "outcome" ("finished" or "refused", with "refusal" the message), the figures of
    // the result page, "report" when one was written, and "changeRecord" (RunJson::changeRecord).
    const QJsonObject& json() const { return json_; }

    // Prints "--- run log PATH" and the log's text (nothing of it when no log could be written).
    void printRunLog();

    static constexpr int kFinished = 0;
    static constexpr int kUsage = 2;
    static constexpr int kRefused = 3;

private:
    void keepFigures(const OptimizeCore& core, bool finished);

    QTextStream& out_;
    QTextStream& err_;
    QString programName_;
    ScanReportBundle report_;
    QJsonObject json_;
};
