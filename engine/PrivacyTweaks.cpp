#include "engine/PrivacyTweaks.h"

#include "engine/OptimizeCore.h"

PrivacyTweaks::PrivacyTweaks(OptimizeCore& core)
    : core_(core)
{
}

void PrivacyTweaks::run()
{

}
