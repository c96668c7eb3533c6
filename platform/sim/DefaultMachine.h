#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace platform::sim {

// The embedded default machine: a realistic, messy Windows 10 PC assembled from the fragments compiled
// into the program (objects merge, arrays append, later fragments win).
nlohmann::json defaultMachineProfile();

// Deep-merges `overlay` into `base` by the same rules.
void mergeProfile(nlohmann::json& base, const nlohmann::json& overlay);

// Writes `profile` as <folder>/machine.json and creates what it describes under <folder>/drives: the
// drive folders, the listed folders and files (sparse, with their sizes and ages). Returns false with
// `error` set, before anything is made, when an entry of "files" does not name a drive path, and when the
// folder cannot be written.
bool materialise(const std::filesystem::path& folder, const nlohmann::json& profile, std::string& error);

} // namespace platform::sim
