#pragma once

#include "phase2/OptItem.h"
#include "phase2/ItemResult.h"
#include "platform/Platform.h"

#include <QString>

// The service items of group one: the service is set to start on demand; a running service keeps running.
// A service already on demand, or switched off altogether, is left as it is.
class ServiceStartItem {
public:
    explicit ServiceStartItem(platform::Platform& machine);

    ItemResult run(const OptItem& item);

private:
    platform::Platform& machine_;
};
