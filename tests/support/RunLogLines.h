#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// Reads back what a test program's steps wrote to the process-wide run log. start() opens the log once in
// a temporary stick; mark() before a step and since(mark) after it give the step's lines without their
// time stamps ("[引擎] ..." for the engine). The mark is where the log ends, so that reading a step's lines
// costs the same however long the log has grown.
class RunLogLines {
public:
    static void start(platform::Platform& platform);
    static qint64 mark();
    static QStringList since(qint64 mark);

    // The engine's lines since `mark` without the "[引擎] " prefix; other lines are dropped.
    static QStringList engineSince(qint64 mark);

private:
    static QStringList from(qint64 offset);
};
