#pragma once

#include "platform/Platform.h"

#include <QString>

#include <memory>

// The machine the window optimises, chosen once in main: the real PC on Windows, a simulated PC elsewhere.
class MachineBackend {
public:
    virtual ~MachineBackend() = default;

    virtual platform::Platform& platform() = 0;

    // Keeps what the runs changed (the simulated PC writes its machine folder back). Returns false with
    // `error` set when that fails.
    virtual bool save(QString& error) = 0;
};

// Opens the backend for this build; null with `error` set when it cannot be opened.
std::unique_ptr<MachineBackend> openMachineBackend(QString& error);
