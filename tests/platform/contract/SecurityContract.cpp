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

// Only these answers say "no signature"; any other failure means a signature that could not be checked.
TEST_F(SecurityContract, AnUnsignedProgramAnswersNoSignature)
{
    const std::wstring file = backend().scratchFolder() + L"\\plain.exe";
    backend().writeFile(file, "MZ and no signature");
    std::int32_t trust = 0;
    ASSERT_EQ(machine().security.verifyFile(file, trust), ErrorSuccess);
    const auto answer = static_cast<std::uint32_t>(trust);
    EXPECT_TRUE(answer == 0x800B0100u || answer == 0x800B0003u || answer == 0x800B0001u) << std::hex << answer;
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

// The tests run as the user of their session, as the program does unless elevated with another account's
// password; Wine may give no token of the session's user, and then says so.
TEST_F(SecurityContract, TheSessionsUserIsTheProgramsOwnCallPathOnly)
{
    std::wstring sid;
    bool isProcessUser = false;
    const Status status = machine().security.interactiveUser(sid, isProcessUser);
    if (status == ErrorNoToken)
        return;
    ASSERT_EQ(status, ErrorSuccess);
    EXPECT_EQ(sid.rfind(L"S-1-5-", 0), 0u);
    EXPECT_TRUE(isProcessUser);
}

TEST_F(SecurityContract, ACatalogCheckOfAMissingFileFails)
{
    std::int32_t trust = 0;
    EXPECT_EQ(machine().security.verifyCatalog(backend().scratchFolder() + L"\\none.exe", trust), ErrorFileNotFound);
}

} // namespace
