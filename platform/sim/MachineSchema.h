#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace platform::sim {

// Checks a machine description against the shape the simulated PC reads: every member it knows must have
// the JSON type it is read as (a string where text belongs, a whole number where a count or code belongs,
// an object where a section belongs, ...). Members it does not know, and null members, are left alone. Returns false with
// `error` naming `fileName` and the first wrong member, as a JSON pointer ("/processes/2/pid").
bool checkMachineSchema(const nlohmann::json& document, const std::string& fileName, std::string& error);

} // namespace platform::sim
