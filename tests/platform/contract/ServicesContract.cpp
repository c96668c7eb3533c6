#include "platform/ContractTest.h"
#include "platform/Text.h"

using namespace platform;

namespace {

// Every backend has "wuauserv", stopped, with a start type other than disabled.
const std::wstring kService = L"wuauserv";

class ServicesContract : public ContractTest {
protected:
    std::unique_ptr<Service> open(std::uint32_t access)
    {
        std::unique_ptr<ServiceManager> manager;
        EXPECT_EQ(machine().services.openManager(ManagerAccess::Connect, manager), ErrorSuccess);
        std::unique_ptr<Service> service;
        EXPECT_EQ(manager->openService(kService, access, service), ErrorSuccess);
        return service;
    }
};

TEST_F(ServicesContract, UnknownServiceDoesNotExist)
{
    std::unique_ptr<ServiceManager> manager;
    ASSERT_EQ(machine().services.openManager(ManagerAccess::Connect, manager), ErrorSuccess);
    std::unique_ptr<Service> service;
    EXPECT_EQ(manager->openService(L"NoSuchService4711", ServiceAccess::QueryStatus, service),
              ErrorServiceDoesNotExist);
}

TEST_F(ServicesContract, ConfigurationAsksForItsSizeFirst)
{
    auto service = open(ServiceAccess::QueryConfig);
    ASSERT_TRUE(service);
    ServiceConfig config;
    std::uint32_t required = 0;
    EXPECT_EQ(service->queryConfig(config, 0, &required), ErrorInsufficientBuffer);
    EXPECT_GT(required, 0u);
    ASSERT_EQ(service->queryConfig(config, required), ErrorSuccess);
    EXPECT_LE(config.startType, ServiceStart::Disabled);
}

TEST_F(ServicesContract, StatusIsAKnownState)
{
    auto service = open(ServiceAccess::QueryStatus);
    ASSERT_TRUE(service);
    ServiceStatus status;
    ASSERT_EQ(service->queryStatus(status), ErrorSuccess);
    EXPECT_GE(status.currentState, ServiceState::Stopped);
    EXPECT_LE(status.currentState, 7u);
}

TEST_F(ServicesContract, StopOfAStoppedServiceIsNotActive)
{
    auto service = open(ServiceAccess::QueryStatus | ServiceAccess::Stop);
    ASSERT_TRUE(service);
    ServiceStatus status;
    ASSERT_EQ(service->queryStatus(status), ErrorSuccess);
    ASSERT_EQ(status.currentState, ServiceState::Stopped);
    EXPECT_EQ(service->stop(status), ErrorServiceNotActive);
}

TEST_F(ServicesContract, AHandleWithoutTheStopRightCannotStop)
{
    auto service = open(ServiceAccess::QueryStatus);
    ASSERT_TRUE(service);
    ServiceStatus status;
    EXPECT_EQ(service->stop(status), ErrorAccessDenied);
}

// How Windows refuses a start-type change, to a handle without the right as to a protected service: the
// service keeps the start type it had.
TEST_F(ServicesContract, ARefusedStartTypeChangeLeavesTheStartType)
{
    auto service = open(ServiceAccess::QueryConfig);
    ASSERT_TRUE(service);
    ServiceConfig before;
    ASSERT_EQ(service->queryConfig(before), ErrorSuccess);
    EXPECT_EQ(service->changeStartType(ServiceStart::Disabled), ErrorAccessDenied);
    ServiceConfig after;
    ASSERT_EQ(service->queryConfig(after), ErrorSuccess);
    EXPECT_EQ(after.startType, before.startType);
}

TEST_F(ServicesContract, ADisabledServiceCannotStart)
{
    auto service = open(ServiceAccess::QueryConfig | ServiceAccess::ChangeConfig | ServiceAccess::Start);
    ASSERT_TRUE(service);
    ServiceConfig config;
    ASSERT_EQ(service->queryConfig(config), ErrorSuccess);
    ASSERT_EQ(service->changeStartType(ServiceStart::Disabled), ErrorSuccess);
    ServiceConfig disabled;
    ASSERT_EQ(service->queryConfig(disabled), ErrorSuccess);
    EXPECT_EQ(disabled.startType, ServiceStart::Disabled);
    EXPECT_EQ(service->start(), ErrorServiceDisabled);
    EXPECT_EQ(service->changeStartType(config.startType), ErrorSuccess);
}

TEST_F(ServicesContract, EnumerationListsTheService)
{
    std::unique_ptr<ServiceManager> manager;
    ASSERT_EQ(machine().services.openManager(ManagerAccess::Connect | ManagerAccess::EnumerateService, manager),
              ErrorSuccess);
    std::vector<ServiceEntry> services;
    ASSERT_EQ(manager->enumerate(services), ErrorSuccess);
    bool found = false;
    for (const auto& entry : services)
        found = found || equalsIgnoreCase(entry.name, kService);
    EXPECT_TRUE(found);
}

} // namespace
