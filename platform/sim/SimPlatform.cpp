#include "platform/sim/SimPlatform.h"

namespace platform::sim {

SimPlatform::SimPlatform(SimMachine& machine)
    : machine_(machine)
    , registry_(machine)
    , services_(machine)
    , security_(machine)
    , systemInfo_(machine)
    , processes_(machine)
    , windows_(machine)
    , devices_(machine, registry_)
    , tasks_(machine)
    , shell_(machine)
    , files_(machine)
    , commands_(machine)
    , platform_{registry_, services_, security_, systemInfo_, processes_, windows_,
                devices_,  tasks_,    shell_,    files_,      commands_}
{
}

} // namespace platform::sim
