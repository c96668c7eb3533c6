#include "platform/ContractTest.h"

#include <windows.h>

using namespace platform;

namespace {

class Win32Catalog : public ContractTest {
protected:
    static std::wstring systemFile(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        return std::wstring(folder, length) + L"\\" + name;
    }
};

// Windows lists kernel32.dll in a signed system catalog, so the check answers 0 there; Wine's catalog
// database is empty, so under Wine only the path through the catalog functions is shown.
TEST_F(Win32Catalog, ASystemFileIsCheckedThroughItsCatalogCallPathOnly)
{
    std::int32_t trust = -1;
    ASSERT_EQ(machine().security.verifyCatalog(systemFile(L"kernel32.dll"), trust), ErrorSuccess);
    EXPECT_TRUE(trust == 0 || static_cast<std::uint32_t>(trust) == 0x800B0100u) << std::hex << trust;
}

// The check of the file's own signature fetches nothing, so it answers on a PC without a network as
// it does online.
TEST_F(Win32Catalog, TheEmbeddedCheckOfASystemFileAnswersCallPathOnly)
{
    std::int32_t trust = -1;
    EXPECT_EQ(machine().security.verifyFile(systemFile(L"kernel32.dll"), trust), ErrorSuccess);
}

} // namespace
