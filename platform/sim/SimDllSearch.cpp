#include "platform/DllSearch.h"

namespace platform {

DllSearch restrictDllSearch()
{
    return DllSearch::Unchanged;
}

} // namespace platform
