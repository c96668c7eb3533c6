#pragma once

#include <QStringList>
#include <QTextStream>

#include <functional>

// What a command-line program does between start and exit: prints to `out` and `err` and returns the
// exit code.
using CommandLineBody =
    std::function<int(QTextStream& out, QTextStream& err, const QStringList& arguments, const QString& appDir)>;

// The frame the command-line programs share: a console application object named `name`, UTF-8 output on
// both streams, and the engine's diagnostic copies of its log lines left out (the run log printed at the
// end holds them).
int runCommandLine(int argc, char* argv[], const QString& name, const CommandLineBody& body);
