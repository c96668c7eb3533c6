#include "engine/SystemTweaks.h"

#include "engine/OptimizeCore.h"

SystemTweaks::SystemTweaks(OptimizeCore& core)
    : core_(core)
{
}

void SystemTweaks::run()
{

}
