#include "platform/sim/SimInteractiveUser.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"

namespace platform::sim {

SimInteractiveUser::SimInteractiveUser(const SimMachine& machine)
{
    const auto& document = machine.document();
    auto section = document.find("interactiveUser");
    if (section == document.end() || !section->is_object())
        return;
    sectionGiven_ = true;
    otherSid_ = fromUtf8(memberOr(*section, "sid", std::string()));
}

Status SimInteractiveUser::find(std::wstring& sid, bool& isProgramUser) const
{
    if (!sectionGiven_) {
        sid = kProgramUserSid;
        isProgramUser = true;
        return ErrorSuccess;
    }
    if (otherSid_.empty())
        return ErrorNoToken;
    sid = otherSid_;
    isProgramUser = false;
    return ErrorSuccess;
}

} // namespace platform::sim
