#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QVector>

// The scheduled tasks of the root folder "\" (hidden ones included) that are enabled and start at logon or
// boot, each with the number of such triggers. A task whose state or triggers cannot be read is left out;
// a scheduler that cannot be reached gives what was found so far.
namespace StartupTasks {

struct Task {
    QString name;
    int startTriggers = 0;
};

QVector<Task> list(platform::Platform& platform);

} // namespace StartupTasks
