#include "platform/Text.h"
#include "platform/win32/HresultStatus.h"
#include "platform/win32/LongPath.h"
#include "platform/win32/NtdllFunctions.h"
#include "platform/win32/Win32Buffer.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::win32;

namespace {

// A fake API call: reports `sizes[n]` as the size it needs on its n-th call and fills the buffer when
// it is big enough, as RegQueryValueExW does.
struct GrowingCall {
    std::vector<DWORD> sizes;
    Status tooSmall = ERROR_MORE_DATA;
    int calls = 0;

    Status operator()(BYTE* data, DWORD& bytes)
    {
        const DWORD wanted = sizes[std::min<std::size_t>(calls, sizes.size() - 1)];
        ++calls;
        if (!data || bytes < wanted) {
            bytes = wanted;
            return tooSmall;
        }
        for (DWORD i = 0; i < wanted; ++i)
            data[i] = static_cast<BYTE>(i);
        bytes = wanted;
        return ErrorSuccess;
    }
};

TEST(QueryThenFill, AsksTheSizeThenFills)
{
    GrowingCall call{{16}};
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    EXPECT_EQ(queryThenFill(buffer, 1024, needed, std::ref(call)), ErrorSuccess);
    EXPECT_EQ(call.calls, 2);
    EXPECT_EQ(needed, 16u);
    ASSERT_EQ(buffer.size(), 16u);
    EXPECT_EQ(buffer[15], 15);
}

TEST(QueryThenFill, FollowsDataThatGrowsBetweenTheCalls)
{
    GrowingCall call{{16, 40, 40}};
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    EXPECT_EQ(queryThenFill(buffer, 1024, needed, std::ref(call)), ErrorSuccess);
    EXPECT_EQ(call.calls, 3);
    EXPECT_EQ(needed, 40u);
}

TEST(QueryThenFill, SizeOverTheLimitKeepsTheApisOwnAnswer)
{
    GrowingCall call{{300}, ERROR_INSUFFICIENT_BUFFER};
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    EXPECT_EQ(queryThenFill(buffer, 256, needed, std::ref(call)), ErrorInsufficientBuffer);
    EXPECT_EQ(needed, 300u);
    EXPECT_EQ(call.calls, 1);
}

TEST(QueryThenFill, SizeQueryThatSucceedsStillFills)
{
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    int calls = 0;
    const auto call = [&calls](BYTE* data, DWORD& bytes) {
        ++calls;
        if (data)
            data[0] = 7;
        bytes = 1;
        return ErrorSuccess;
    };
    EXPECT_EQ(queryThenFill(buffer, 16, needed, call), ErrorSuccess);
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(buffer.size(), 1u);
    EXPECT_EQ(buffer[0], 7);
}

TEST(QueryThenFill, OtherFailuresPassThrough)
{
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    const auto call = [](BYTE*, DWORD&) { return ErrorFileNotFound; };
    EXPECT_EQ(queryThenFill(buffer, 16, needed, call), ErrorFileNotFound);
    EXPECT_TRUE(buffer.empty());
}

TEST(QueryThenFill, EndlessGrowthEndsWithTooSmall)
{
    GrowingCall call{{8, 16, 32, 64, 128, 256}};
    std::vector<std::uint8_t> buffer;
    DWORD needed = 0;
    EXPECT_EQ(queryThenFill(buffer, 1024, needed, std::ref(call)), ErrorMoreData);
    EXPECT_LE(call.calls, 6);
}

TEST(HresultStatus, MapsComResultsToWin32Codes)
{
    EXPECT_EQ(statusFromHresult(S_OK), ErrorSuccess);
    EXPECT_EQ(statusFromHresult(S_FALSE), ErrorSuccess);
    EXPECT_EQ(statusFromHresult(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), ErrorFileNotFound);
    EXPECT_EQ(statusFromHresult(E_ACCESSDENIED), ErrorAccessDenied);
    EXPECT_EQ(statusFromHresult(E_NOTIMPL), ErrorCallNotImplemented);
    EXPECT_EQ(statusFromHresult(E_OUTOFMEMORY), static_cast<Status>(ERROR_OUTOFMEMORY));
    EXPECT_EQ(statusFromHresult(SCHED_E_SERVICE_NOT_RUNNING), 0x80041315u);
}

TEST(NtdllFunctions, AreResolvedAndMapNtStatusToWin32)
{
    const NtdllFunctions ntdll;
    EXPECT_NE(ntdll.rtlGetVersion, nullptr);
    EXPECT_NE(ntdll.ntSetSystemInformation, nullptr);
    EXPECT_EQ(ntdll.toWin32(0), ErrorSuccess);
    EXPECT_EQ(ntdll.toWin32(static_cast<LONG>(0xC0000022)), ErrorAccessDenied);
    EXPECT_EQ(ntdll.toWin32(static_cast<LONG>(0xC0000061)), ErrorPrivilegeNotHeld);
}

TEST(LongPath, AbsolutePathsTakeTheLongFormAndOthersStayAsTheyAre)
{
    const struct {
        const wchar_t* path;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Windows\\Temp\\a.tmp", L"\\\\?\\C:\\Windows\\Temp\\a.tmp"},
        {L"c:/Windows/./Temp/../Logs", L"\\\\?\\c:\\Windows\\Logs"},
        {L"C:\\Temp\\name. ", L"\\\\?\\C:\\Temp\\name"},
        {L"C:\\", L"\\\\?\\C:\\"},
        {L"C:\\Temp\\nul.txt", L"\\\\?\\C:\\Temp\\nul.txt"},
        {L"C:\\Temp\\sub\\..\\con", L"\\\\?\\C:\\Temp\\con"},
        {L"\\\\server\\share\\folder\\file.txt", L"\\\\?\\UNC\\server\\share\\folder\\file.txt"},
        {L"\\\\?\\C:\\already\\long", L"\\\\?\\C:\\already\\long"},
        {L"\\\\.\\pipe\\name", L"\\\\.\\pipe\\name"},
        {L"relative\\file.txt", L"relative\\file.txt"},
        {L"C:drive-relative.txt", L"C:drive-relative.txt"},
        {L"", L""},
    };
    for (const auto& row : cases)
        EXPECT_EQ(longPath(row.path), row.expected) << toUtf8(row.path);
}

} // namespace
