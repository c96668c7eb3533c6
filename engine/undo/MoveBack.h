#pragma once

#include "engine/undo/RegistryPlace.h"
#include "platform/Registry.h"

#include <QString>

// Puts a value the program moved back where it was, as one unit. The original is written from the record only
// while the program's copy on this PC holds the very same type and bytes, so a record can never bring in data
// the program did not itself take away; the copy goes only once the original reads back equal, so a failure
// leaves it in place.
class MoveBack
{
public:
    enum class Outcome { Restored, AlreadySo, Failed };
    struct Result {
        Outcome outcome;
        QString reason;
    };

    explicit MoveBack(platform::Registry& registry);

    Result restore(const RegistryPlace& original, const RegistryPlace& copy, const platform::RegValue& value);

private:
    // The value's state, or that it does not exist (its key missing included); false when it cannot be read.
    bool stateOf(const RegistryPlace& place, std::optional<platform::RegValue>& state);
    platform::Status writeOriginal(const RegistryPlace& original, const platform::RegValue& value);
    platform::Status removeCopy(const RegistryPlace& copy);

    platform::Registry& registry_;
};
