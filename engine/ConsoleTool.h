#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs an external Windows tool with a fixed argument list and a fixed wait, through the platform. A tool
// still running when the wait ends is ended by the platform.
class ConsoleTool {
public:
    struct Outcome {
        platform::Status status = platform::ErrorFileNotFound;
        quint32 exitCode = 0;
        QByteArray output;

        // The tool started, finished within its wait and exited with 0.
        bool succeeded() const { return status == platform::ErrorSuccess && exitCode == 0; }
    };

    static Outcome run(platform::Platform& machine, const QString& program, const QStringList& arguments, int waitMs);
};
