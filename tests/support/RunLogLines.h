#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringList>

// Reads back what a test program's steps wrote to the process-wide run log. start() opens the log once in
// a temporary stick; mark() before a step and since(mark) after it give the step's lines without their
// time stamps ("[引擎] ..." for the engine).
class RunLogLines {
public:
    static void start(platform::Platform& platform);
    static int mark();
    static QStringList since(int mark);

    // The engine's lines since `mark` without the "[引擎] " prefix; other lines are dropped.
    static QStringList engineSince(int mark);

private:
    static QStringList all();
};
