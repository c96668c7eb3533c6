#pragma once

#include <QString>

// The program the updater replaces, seen from outside: whether a copy from the program folder is running,
// and starting the new one.
class ProgramControl
{
public:
    virtual ~ProgramControl() = default;

    virtual bool isRunning() = 0;
    virtual bool start() = 0;
};
