#include "platform/ContractTest.h"

using namespace platform;

namespace {

class SecurityContract : public ContractTest {};

TEST_F(SecurityContract, AdministratorMembershipCallPathOnly)
{
    bool member = false;
    EXPECT_EQ(machine().security.isAdministrator(member), ErrorSuccess);
}

TEST_F(SecurityContract, AnUnsignedFileIsNotTrusted)
{
    const std::wstring file = backend().scratchFolder() + L"\\plain.txt";
    backend().writeFile(file, "no signature here");
    std::int32_t trust = 0;
    ASSERT_EQ(machine().security.verifyFile(file, trust), ErrorSuccess);
    EXPECT_NE(trust, 0);
}

TEST_F(SecurityContract, AMissingFileIsNeverTrustedCallPathOnly)
{
    std::int32_t trust = 0;
    const Status status = machine().security.verifyFile(backend().scratchFolder() + L"\\none.exe", trust);
    EXPECT_TRUE(status != ErrorSuccess || trust != 0);
}

TEST_F(SecurityContract, AFileNoCatalogListsIsNotTrusted)
{
    const std::wstring file = backend().scratchFolder() + L"\\plain.exe";
    backend().writeFile(file, "listed in no catalog");
    std::int32_t trust = 0;
    ASSERT_EQ(machine().security.verifyCatalog(file, trust), ErrorSuccess);
    EXPECT_EQ(static_cast<std::uint32_t>(trust), 0x800B0100u);
}

TEST_F(SecurityContract, ACatalogCheckOfAMissingFileFails)
{
    std::int32_t trust = 0;
    EXPECT_EQ(machine().security.verifyCatalog(backend().scratchFolder() + L"\\none.exe", trust), ErrorFileNotFound);
}

} // namespace
