#pragma once

#include "platform/Registry.h"

#include <cstdint>

class StageCore;

// When a fixed registry change applies, by Windows version.
enum class TweakCondition { Always, Windows10OrLater, NotWindows7 };

// One fixed registry change of phase 1: a DWORD or a string, in either hive. Rows of
// constant tables; apply() writes through the engine's primitives, which log the change.
struct RegistryTweak {
    platform::Hive hive;
    const char* key;
    const char* valueName;
    const char* text; // null for a DWORD
    std::uint32_t dword;
    TweakCondition condition;
    const char* label; // UTF-8, the setting's name where the user reads about it (undo)

    bool appliesTo(const StageCore& core) const;
    void apply(StageCore& core) const;
};
