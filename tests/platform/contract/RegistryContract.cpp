#include "platform/ContractTest.h"

#include <algorithm>
#include <memory>

using namespace platform;

namespace {

class RegistryContract : public ContractTest {
protected:
    std::unique_ptr<RegistryKey> create(const std::wstring& relative = L"")
    {
        std::unique_ptr<RegistryKey> key;
        std::wstring path = backend().scratchKey() + (relative.empty() ? L"" : L"\\" + relative);
        EXPECT_EQ(machine().registry.createKey(Hive::CurrentUser, path, RegAccess::ReadWrite, RegView::Native64, key),
                  ErrorSuccess);
        return key;
    }

    Status open(const std::wstring& relative, RegAccess access, std::unique_ptr<RegistryKey>& key)
    {
        std::wstring path = backend().scratchKey() + (relative.empty() ? L"" : L"\\" + relative);
        return machine().registry.openKey(Hive::CurrentUser, path, access, RegView::Native64, key);
    }
};

TEST_F(RegistryContract, EachValueTypeReadsBackAsWritten)
{
    auto key = create();
    const RegValue values[] = {
        RegValue::string(L"text with 中文"),
        RegValue::string(L"%SystemRoot%\\x", RegType::ExpandSz),
        RegValue::dword(0xDEADBEEF),
        RegValue::binary({0x00, 0x01, 0xFE, 0xFF}),
    };
    const wchar_t* names[] = {L"sz", L"expand", L"dword", L"binary"};
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(key->setValue(names[i], values[i]), ErrorSuccess);
    for (int i = 0; i < 4; ++i) {
        RegValue read;
        ASSERT_EQ(key->queryValue(names[i], read), ErrorSuccess) << i;
        EXPECT_EQ(read, values[i]) << i;
    }
    RegValue dword;
    key->queryValue(L"dword", dword);
    EXPECT_EQ(dword.asDword().value_or(0), 0xDEADBEEFu);
}

TEST_F(RegistryContract, StringsCarryTheirTerminatingNull)
{
    auto key = create();
    key->setValue(L"s", RegValue::string(L"abc"));
    RegValue read;
    std::uint32_t required = 0;
    ASSERT_EQ(key->queryValue(L"s", read, 1024, &required), ErrorSuccess);
    EXPECT_EQ(required, 8u);
    EXPECT_EQ(read.asString(), L"abc");
}

TEST_F(RegistryContract, TooSmallDataBufferGivesMoreDataWithTheNeededSize)
{
    auto key = create();
    key->setValue(L"long", RegValue::string(std::wstring(200, L'x')));
    RegValue read;
    std::uint32_t required = 0;
    EXPECT_EQ(key->queryValue(L"long", read, 256, &required), ErrorMoreData);
    EXPECT_EQ(required, 402u);
    EXPECT_EQ(key->queryValue(L"long", read, 402, &required), ErrorSuccess);
}

TEST_F(RegistryContract, MissingValueIsFileNotFound)
{
    auto key = create();
    RegValue read;
    EXPECT_EQ(key->queryValue(L"absent", read), ErrorFileNotFound);
    EXPECT_EQ(key->deleteValue(L"absent"), ErrorFileNotFound);
}

TEST_F(RegistryContract, DeleteValueRemovesItAndCountFollows)
{
    auto key = create();
    key->setValue(L"a", RegValue::dword(1));
    key->setValue(L"b", RegValue::dword(2));
    std::uint32_t count = 0;
    ASSERT_EQ(key->valueCount(count), ErrorSuccess);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(key->deleteValue(L"a"), ErrorSuccess);
    key->valueCount(count);
    EXPECT_EQ(count, 1u);
}

TEST_F(RegistryContract, SettingAnExistingValueReplacesIt)
{
    auto key = create();
    key->setValue(L"v", RegValue::dword(1));
    key->setValue(L"V", RegValue::string(L"now text"));
    std::uint32_t count = 0;
    key->valueCount(count);
    EXPECT_EQ(count, 1u);
    RegValue read;
    key->queryValue(L"v", read);
    EXPECT_EQ(read.asString(), L"now text");
}

TEST_F(RegistryContract, ValueEnumerationRunsFromZeroToNoMoreItems)
{
    auto key = create();
    key->setValue(L"alpha", RegValue::dword(1));
    key->setValue(L"beta", RegValue::string(L"b"));
    key->setValue(L"gamma", RegValue::binary({1, 2, 3}));
    std::vector<std::wstring> names;
    std::uint32_t index = 0;
    for (;; ++index) {
        std::wstring name;
        RegValue value;
        Status status = key->enumValue(index, name, value);
        if (status != ErrorSuccess) {
            EXPECT_EQ(status, ErrorNoMoreItems);
            break;
        }
        names.push_back(name);
    }
    EXPECT_EQ(index, 3u);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"alpha", L"beta", L"gamma"}));
}

TEST_F(RegistryContract, ValueEnumerationReportsTooLongNamesAndData)
{
    auto key = create();
    key->setValue(std::wstring(40, L'n'), RegValue::binary(std::vector<std::uint8_t>(100, 7)));
    std::wstring name;
    RegValue value;
    EXPECT_EQ(key->enumValue(0, name, value, 10), ErrorMoreData);
    std::uint32_t required = 0;
    EXPECT_EQ(key->enumValue(0, name, value, 16384, 50, &required), ErrorMoreData);
    EXPECT_EQ(required, 100u);
    EXPECT_EQ(key->enumValue(0, name, value, 10, 1000, &required), ErrorMoreData);
    EXPECT_EQ(required, 100u) << "a long name is told apart from big data";
    EXPECT_EQ(key->enumValue(0, name, value, 16384, 100), ErrorSuccess);
    EXPECT_EQ(value.data.size(), 100u);
}

TEST_F(RegistryContract, SubKeyEnumerationRunsFromZeroToNoMoreItems)
{
    create(L"one");
    create(L"two");
    create(L"three\\nested");
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(open(L"", RegAccess::Read, key), ErrorSuccess);
    std::vector<std::wstring> names;
    std::uint32_t index = 0;
    for (;; ++index) {
        std::wstring name;
        Status status = key->enumKey(index, name);
        if (status != ErrorSuccess) {
            EXPECT_EQ(status, ErrorNoMoreItems);
            break;
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"one", L"three", L"two"}));
    std::uint32_t count = 0;
    ASSERT_EQ(key->subKeyCount(count), ErrorSuccess);
    EXPECT_EQ(count, 3u);
}

TEST_F(RegistryContract, SubKeyNameLongerThanTheBufferGivesMoreData)
{
    create(std::wstring(30, L'k'));
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(open(L"", RegAccess::Read, key), ErrorSuccess);
    std::wstring name;
    EXPECT_EQ(key->enumKey(0, name, 10), ErrorMoreData);
    EXPECT_EQ(key->enumKey(0, name, 31), ErrorSuccess);
    EXPECT_EQ(name, std::wstring(30, L'k'));
}

TEST_F(RegistryContract, MissingKeyCannotBeOpened)
{
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(open(L"does\\not\\exist", RegAccess::Read, key), ErrorFileNotFound);
    EXPECT_EQ(key, nullptr);
}

TEST_F(RegistryContract, CreateMakesMissingParentsAndOpensExistingKeys)
{
    auto deep = create(L"a\\b\\c");
    ASSERT_NE(deep, nullptr);
    deep->setValue(L"x", RegValue::dword(5));
    auto again = create(L"a\\b\\c");
    RegValue read;
    EXPECT_EQ(again->queryValue(L"x", read), ErrorSuccess);
    std::unique_ptr<RegistryKey> parent;
    EXPECT_EQ(open(L"a\\b", RegAccess::Read, parent), ErrorSuccess);
}

TEST_F(RegistryContract, KeyNamesIgnoreCase)
{
    create(L"MixedCase")->setValue(L"Value", RegValue::dword(3));
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(open(L"mixedcase", RegAccess::Read, key), ErrorSuccess);
    RegValue read;
    EXPECT_EQ(key->queryValue(L"VALUE", read), ErrorSuccess);
}

TEST_F(RegistryContract, KeyOpenedForReadingRefusesWrites)
{
    create(L"ro");
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(open(L"ro", RegAccess::Read, key), ErrorSuccess);
    EXPECT_EQ(key->setValue(L"x", RegValue::dword(1)), ErrorAccessDenied);
}

TEST_F(RegistryContract, DeleteKeyRemovesAnEmptyKey)
{
    create(L"gone");
    EXPECT_EQ(machine().registry.deleteKey(Hive::CurrentUser, backend().scratchKey() + L"\\gone", RegView::Native64),
              ErrorSuccess);
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(open(L"gone", RegAccess::Read, key), ErrorFileNotFound);
}

TEST_F(RegistryContract, Wow6432NodeIsAnOrdinaryKeyPath)
{
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(machine().registry.createKey(Hive::LocalMachine, L"SOFTWARE\\WOW6432Node\\TidewellContract",
                                           RegAccess::ReadWrite, RegView::Native64, key),
              ErrorSuccess);
    ASSERT_NE(key, nullptr);
    key->setValue(L"v", RegValue::dword(9));
    std::unique_ptr<RegistryKey> again;
    ASSERT_EQ(machine().registry.openKey(Hive::LocalMachine, L"SOFTWARE\\WOW6432Node\\TidewellContract",
                                         RegAccess::Read, RegView::Native64, again),
              ErrorSuccess);
    RegValue read;
    EXPECT_EQ(again->queryValue(L"v", read), ErrorSuccess);
    machine().registry.deleteKey(Hive::LocalMachine, L"SOFTWARE\\WOW6432Node\\TidewellContract", RegView::Native64);
}

} // namespace
