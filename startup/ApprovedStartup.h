#pragma once

#include "engine/StartupSource.h"
#include "platform/Platform.h"

#include <QString>

// The approved-start-up values through which Windows' own start-up manager switches entries on and off: one
// REG_BINARY value per entry under the source's StartupApproved sub-key, whose first byte says the state (3
// or 7 off, anything else on). Value names are used exactly as given: they are registry value names, never
// key paths.
class ApprovedStartup {
public:
    explicit ApprovedStartup(platform::Platform& machine);

    // Reads without creating anything.
    bool isDisabled(const StartupSource& source, const QString& name);

    // Writes the state, keeping the rest of an existing value; creates the key when it is missing. False when
    // the key cannot be opened or created, the value is unreadable or longer than 12 bytes, or the write fails.
    bool setEnabled(const StartupSource& source, const QString& name, bool enable);

    static constexpr int kValueBytes = 12;

private:
    platform::Platform& machine_;
};
