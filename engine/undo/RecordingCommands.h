#pragma once

#include "platform/Platform.h"

class ChangeRecordWriter;

// Console tools while a run's changes are recorded: before a tool run that changes one of the settings of
// ToolSetting, that setting's present state is read through the unrecorded machine and recorded.
class RecordingCommands : public platform::Commands
{
public:
    RecordingCommands(platform::Platform& inner, ChangeRecordWriter& record);

    platform::Status run(const std::wstring& program, const std::vector<std::wstring>& arguments,
                         std::uint32_t timeoutMs, platform::CommandResult& result) override;
    platform::Status startDetached(const std::wstring& program, const std::vector<std::wstring>& arguments) override;
    std::wstring consoleText(const std::string& bytes) const override;

private:
    void recordPrior(const std::wstring& program, const std::vector<std::wstring>& arguments);

    platform::Platform& inner_;
    ChangeRecordWriter& record_;
};
