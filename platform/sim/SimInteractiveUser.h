#pragma once

#include "platform/Status.h"
#include "platform/sim/SimMachine.h"

#include <string>

namespace platform::sim {

// The user logged on to the simulated PC's session, from the optional "interactiveUser" section:
//   "interactiveUser": { "sid": "S-1-5-21-...-1002", "environment": { "USERNAME": "Ann" } }
// Without the section the program runs as that user, whose SID is kProgramUserSid. With a "sid" the
// program runs as another account (elevated with an administrator's password) and that user's hive is
// "HKU\<sid>", and the section's "environment" overrides the machine's variables, as that user's
// environment block does (USERNAME moves TEMP and LOCALAPPDATA); a section without a "sid" is a user that
// cannot be found (ERROR_NO_TOKEN).
class SimInteractiveUser {
public:
    explicit SimInteractiveUser(const SimMachine& machine);

    Status find(std::wstring& sid, bool& isProgramUser) const;

    // The SID of another account's user whose hive stands for HKEY_CURRENT_USER; empty when there is none.
    const std::wstring& otherUserSid() const { return otherSid_; }

    static constexpr const wchar_t* kProgramUserSid = L"S-1-5-21-3623811015-3361044348-30300820-1001";

private:
    bool sectionGiven_ = false;
    std::wstring otherSid_;
};

} // namespace platform::sim
