#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a console tool of the Windows system folder with a fixed argument list and a fixed wait, through
// the platform. The tool is started from the native system folder (NativeSystemFolder), so that a 32-bit
// process on 64-bit Windows runs the real tool and not a missing or 32-bit copy. A tool still running when
// the wait ends is ended by the platform.
class ConsoleTool {
public:
    struct Outcome {
        platform::Status status = platform::ErrorFileNotFound;
        quint32 exitCode = 0;
        QByteArray output;

        // The tool started, finished within its wait and exited with 0.
        bool succeeded() const { return status == platform::ErrorSuccess && exitCode == 0; }

        // Why it did not succeed, for a log line: "未找到程序", "超时未结束", "无法启动（错误 5）" or
        // "退出码 1". Empty when it succeeded.
        QString failure() const;
    };

    static Outcome run(platform::Platform& machine, const QString& program, const QStringList& arguments, int waitMs);

    // Starts the tool without waiting for it.
    static platform::Status startDetached(platform::Platform& machine, const QString& program,
                                          const QStringList& arguments);
};
