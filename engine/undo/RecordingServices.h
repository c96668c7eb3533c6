#pragma once

#include "platform/Services.h"

class ChangeRecordWriter;

// The service control manager while a run's changes are recorded: a start-type change first records the
// service's start type, and stopping a running service records that it ran.
class RecordingServices : public platform::Services
{
public:
    RecordingServices(platform::Services& inner, ChangeRecordWriter& record);
    platform::Status openManager(std::uint32_t access, std::unique_ptr<platform::ServiceManager>& manager) override;

private:
    platform::Services& inner_;
    ChangeRecordWriter& record_;
};
