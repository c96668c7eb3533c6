#pragma once

#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// Item "A2": limits the Application, System and Security logs to the chosen size. wevtutil takes the size
// in bytes; a log whose present maximum is already at or below it is left alone, so the limit never raises
// a log's size.
class EventLogLimit {
public:
    explicit EventLogLimit(platform::Platform& machine);
    ItemResult run(int sizeMB);

private:
    platform::Platform& machine_;
};
