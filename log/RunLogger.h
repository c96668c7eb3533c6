#pragma once

#include "platform/Platform.h"

#include <QFile>
#include <QMutex>
#include <QString>

#include <memory>

// The run log: one plain-text UTF-8 file per run in the "logs" folder beside the program, so that a
// support person can later see what was cleaned, changed or disabled. The process-wide instance is
// initialised once at start-up; after that any thread may append time-stamped lines.
class RunLogger {
public:
    // The process-wide logger, created on first use and never destroyed.
    static RunLogger& instance();

    RunLogger() = default;
    RunLogger(const RunLogger&) = delete;
    RunLogger& operator=(const RunLogger&) = delete;

    // The start-up sequence: unless already initialised, sets the log folder (`logFolder`, or <appDir>/logs
    // when empty), creates it, computes the device identifier, opens the log file with its header, applies
    // the retention rule and marks the logger initialised. Any failure leaves a logger whose writes are
    // dropped.
    void initialize(const QString& appDir, const QString& logFolder = QString(),
                    platform::Platform& platform = platform::current());

    // Appends "[HH:mm:ss] message" and flushes it. A no-op until initialised or when the file is not open.
    void log(const QString& message);

    // Appends text and a line feed, flushed at once; no lock, no time stamp. Used for the header and
    // from inside log().
    void writeLine(const QString& text);

    // Creates "log_<deviceId>_<yyyyMMdd_HHmmss>.txt" in the log folder and writes the BOM and the header.
    void openLogFile(platform::Platform& platform = platform::current());

    // Keeps the 10 newest "log_*.txt" files of the log folder and deletes the rest.
    void cleanupOldLogs();

    QString logDir;
    QString logFilePath;
    QString deviceId;
    std::unique_ptr<QFile> file;
    bool initialized = false;

    static constexpr int kLogsKept = 10;

private:
    static QMutex& mutex();
};

// How the engine reports: "[引擎] " + message into the run log, and a warning to the debug output.
void engineLog(const QString& message);
