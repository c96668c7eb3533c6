#pragma once

#include "platform/Registry.h"
#include "platform/sim/SimMachine.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform::sim {

// One key of the simulated registry. Subkeys enumerate in case-insensitive name order, values in the
// order they were created, as on Windows.
struct SimRegNode {
    std::wstring name;
    std::map<std::wstring, std::shared_ptr<SimRegNode>> children; // keyed by the lower-case name
    std::vector<std::pair<std::wstring, RegValue>> values;
    bool denied = false;   // "@denied": every open fails with ERROR_ACCESS_DENIED
    bool readOnly = false; // "@readOnly": opening for writing fails with ERROR_ACCESS_DENIED
    bool deleted = false;  // removed while a handle was open: that handle now fails

    const RegValue* findValue(const std::wstring& valueName) const;
};

// The registry group on the simulated PC, read from the "registry" section of machine.json:
//   "registry": { "HKLM\\SOFTWARE\\Vendor": { "Name": "text", "Count": 3, "Path": {"expand": "%x%"} } }
// Value forms: a string (REG_SZ), a whole number (REG_DWORD), or an object {"dword": n}, {"qword": n},
// {"sz": "..."}, {"expand": "..."}, {"multi": ["a", "b"]}, {"binary": "hex"}, {"type": n, "hex": "..."}.
class SimRegistry : public Registry, public SimState {
public:
    explicit SimRegistry(SimMachine& machine);

    Status openKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                   std::unique_ptr<RegistryKey>& key) override;
    Status createKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                     std::unique_ptr<RegistryKey>& key) override;
    Status deleteKey(Hive hive, const std::wstring& subKey, RegView view) override;

    void store(nlohmann::json& document) const override;

private:
    std::shared_ptr<SimRegNode> find(Hive hive, const std::wstring& subKey) const;
    Status open(Hive hive, const std::wstring& subKey, RegAccess access, bool create,
                std::unique_ptr<RegistryKey>& key);
    // HKCU as HKU\<sid> when the program runs as another account than the session's user.
    void resolve(Hive& hive, std::wstring& subKey) const;

    SimMachine& machine_;
    std::map<Hive, std::shared_ptr<SimRegNode>> hives_;
};

// Text forms used in the profile and in the journal.
std::wstring hiveName(Hive hive);
nlohmann::json valueToJson(const RegValue& value);
bool valueFromJson(const nlohmann::json& json, RegValue& value);
std::string describeValue(const RegValue& value);

} // namespace platform::sim
