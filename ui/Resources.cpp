#include "ui/Resources.h"

#include <QtGlobal>

// Outside any namespace: Q_INIT_RESOURCE declares the resource tree's registration function where it is
// used, and that function lives in the global namespace.
static bool initResources()
{
    Q_INIT_RESOURCE(tidewell);
    return true;
}

void registerUiResources()
{
    static const bool registered = initResources();
    Q_UNUSED(registered);
}
