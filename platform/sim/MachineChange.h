#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace platform::sim {

// The forms of one line of the change file, applied to a machine document:
//   {"set": "/json/pointer", "value": v}                      the member at the pointer becomes v
//   {"registry": "set", "key": "HKLM\\...", "name": n, "value": v}   a value written (value form of machine.json)
//   {"registry": "delete", "key": k, "name": n}                a value deleted
//   {"registry": "key", "key": k}                              a key created
//   {"registry": "deleteKey", "key": k}                        a key without subkeys deleted
// Registry keys and value names match without regard to case, as the registry group reads them. False for a
// line of none of these forms; the document is then unchanged.
bool applyMachineChange(nlohmann::json& document, const nlohmann::json& change);

} // namespace platform::sim
