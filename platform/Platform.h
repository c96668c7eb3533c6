#pragma once

#include "platform/Commands.h"
#include "platform/Devices.h"
#include "platform/Files.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Security.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/Tasks.h"
#include "platform/TopLevelWindows.h"

namespace platform {

// The machine being optimised, one interface per group. A backend owns the group objects and hands out
// this bundle; classes above take a Platform& that defaults to the process-wide one chosen in main.
struct Platform {
    Registry& registry;
    Services& services;
    Security& security;
    SystemInfo& systemInfo;
    Processes& processes;
    TopLevelWindows& windows;
    Devices& devices;
    Tasks& tasks;
    Shell& shell;
    Files& files;
    Commands& commands;
};

// The process-wide platform. main sets it once before anything uses it; using it unset is a programming
// error and aborts.
Platform& current();
void setCurrent(Platform* platform);

} // namespace platform
