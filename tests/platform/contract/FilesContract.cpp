#include "platform/ContractTest.h"
#include "platform/Text.h"

#include <map>
#include <vector>

using namespace platform;

namespace {

class FilesContract : public ContractTest {
protected:
    std::wstring scratch(const std::wstring& name) { return backend().scratchFolder() + L"\\" + name; }

    std::map<std::wstring, FileEntry> listing(const std::wstring& folder)
    {
        std::map<std::wstring, FileEntry> entries;
        EXPECT_EQ(machine().files.list(folder, [&](const FileEntry& entry) {
            entries[entry.name] = entry;
            return true;
        }),
                  ErrorSuccess);
        return entries;
    }
};

// 2015-01-01 as a FILETIME: any file written by a test is newer.
constexpr std::int64_t kYear2015 = 130645440000000000LL;

TEST_F(FilesContract, ListingReportsNamesSizesAndTimes)
{
    backend().writeFile(scratch(L"a.txt"), "hello");
    backend().writeFile(scratch(L"b.bin"), "xyz");
    auto entries = listing(backend().scratchFolder());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[L"a.txt"].size, 5u);
    EXPECT_EQ(entries[L"b.bin"].size, 3u);
    EXPECT_FALSE(entries[L"a.txt"].isDirectory());
    EXPECT_FALSE(entries[L"a.txt"].isLink());
    EXPECT_GT(entries[L"a.txt"].lastWriteTime, kYear2015);
}

TEST_F(FilesContract, ListingStopsWhenTheVisitorSaysSo)
{
    backend().writeFile(scratch(L"a.txt"), "1");
    backend().writeFile(scratch(L"b.txt"), "2");
    int visited = 0;
    EXPECT_EQ(machine().files.list(backend().scratchFolder(), [&](const FileEntry&) {
        ++visited;
        return false;
    }),
              ErrorSuccess);
    EXPECT_EQ(visited, 1);
}

TEST_F(FilesContract, ListingAMissingFolderIsPathNotFound)
{
    EXPECT_EQ(machine().files.list(scratch(L"nope"), [](const FileEntry&) { return true; }), ErrorPathNotFound);
}

TEST_F(FilesContract, AttributesOfAFileAndOfTheFolder)
{
    backend().writeFile(scratch(L"a.txt"), "hello");
    FileEntry entry;
    ASSERT_EQ(machine().files.attributes(scratch(L"a.txt"), entry), ErrorSuccess);
    EXPECT_EQ(entry.size, 5u);
    EXPECT_FALSE(entry.isDirectory());
    ASSERT_EQ(machine().files.attributes(backend().scratchFolder(), entry), ErrorSuccess);
    EXPECT_TRUE(entry.isDirectory());
}

TEST_F(FilesContract, AttributesOfNothingSayWhichPartIsMissing)
{
    FileEntry entry;
    EXPECT_EQ(machine().files.attributes(scratch(L"nope.txt"), entry), ErrorFileNotFound);
    EXPECT_EQ(machine().files.attributes(scratch(L"nope\\x.txt"), entry), ErrorPathNotFound);
}

TEST_F(FilesContract, NamesAreFoundWithoutRegardToCase)
{
    backend().writeFile(scratch(L"Report.WER"), "r");
    FileEntry entry;
    EXPECT_EQ(machine().files.attributes(scratch(L"report.wer"), entry), ErrorSuccess);
    EXPECT_EQ(machine().files.deleteFile(scratch(L"REPORT.wer")), ErrorSuccess);
    EXPECT_TRUE(listing(backend().scratchFolder()).empty());
}

TEST_F(FilesContract, DeleteRemovesTheFileOnce)
{
    backend().writeFile(scratch(L"a.tmp"), "junk");
    EXPECT_EQ(machine().files.deleteFile(scratch(L"a.tmp")), ErrorSuccess);
    EXPECT_TRUE(listing(backend().scratchFolder()).empty());
    EXPECT_EQ(machine().files.deleteFile(scratch(L"a.tmp")), ErrorFileNotFound);
}

TEST_F(FilesContract, ReadOnlyFileCannotBeDeletedUntilCleared)
{
    backend().writeFile(scratch(L"keep.txt"), "x");
    ASSERT_EQ(machine().files.setAttributes(scratch(L"keep.txt"), FileAttribute::ReadOnly), ErrorSuccess);
    FileEntry entry;
    ASSERT_EQ(machine().files.attributes(scratch(L"keep.txt"), entry), ErrorSuccess);
    EXPECT_TRUE(entry.attributes & FileAttribute::ReadOnly);
    EXPECT_EQ(machine().files.deleteFile(scratch(L"keep.txt")), ErrorAccessDenied);
    ASSERT_EQ(machine().files.setAttributes(scratch(L"keep.txt"), FileAttribute::Normal), ErrorSuccess);
    EXPECT_EQ(machine().files.deleteFile(scratch(L"keep.txt")), ErrorSuccess);
}

TEST_F(FilesContract, HiddenAndSystemFlagsShowInTheListing)
{
    backend().writeFile(scratch(L"thumbs.db"), "x");
    ASSERT_EQ(machine().files.setAttributes(scratch(L"thumbs.db"), FileAttribute::Hidden | FileAttribute::System),
              ErrorSuccess);
    auto entries = listing(backend().scratchFolder());
    EXPECT_TRUE(entries[L"thumbs.db"].attributes & FileAttribute::Hidden);
    EXPECT_TRUE(entries[L"thumbs.db"].attributes & FileAttribute::System);
    EXPECT_FALSE(entries[L"thumbs.db"].attributes & FileAttribute::ReadOnly);
}

TEST_F(FilesContract, AFolderThatHoldsFilesIsNotRemoved)
{
    backend().writeFile(scratch(L"a.txt"), "x");
    EXPECT_EQ(machine().files.removeDirectory(backend().scratchFolder()), ErrorDirNotEmpty);
    EXPECT_EQ(listing(backend().scratchFolder()).size(), 1u);
}

TEST_F(FilesContract, RenameMovesButNeverOverwrites)
{
    backend().writeFile(scratch(L"a.txt"), "aaa");
    backend().writeFile(scratch(L"b.txt"), "b");
    EXPECT_EQ(machine().files.rename(scratch(L"a.txt"), scratch(L"b.txt")), ErrorAlreadyExists);
    EXPECT_EQ(machine().files.rename(scratch(L"a.txt"), scratch(L"c.txt")), ErrorSuccess);
    auto entries = listing(backend().scratchFolder());
    EXPECT_EQ(entries.count(L"a.txt"), 0u);
    EXPECT_EQ(entries[L"c.txt"].size, 3u);
    EXPECT_EQ(machine().files.rename(scratch(L"missing.txt"), scratch(L"d.txt")), ErrorFileNotFound);
}

TEST_F(FilesContract, ReadFileStopsAtTheLimit)
{
    backend().writeFile(scratch(L"prefs.js"), "user_pref(1);");
    std::string bytes;
    ASSERT_EQ(machine().files.readFile(scratch(L"prefs.js"), 4, bytes), ErrorSuccess);
    EXPECT_EQ(bytes, "user");
    ASSERT_EQ(machine().files.readFile(scratch(L"prefs.js"), 1000, bytes), ErrorSuccess);
    EXPECT_EQ(bytes, "user_pref(1);");
    EXPECT_EQ(machine().files.readFile(scratch(L"none.js"), 10, bytes), ErrorFileNotFound);
}

// A file five folders of 60 characters below the scratch folder: its path is well past MAX_PATH (260).
TEST_F(FilesContract, PathsLongerThanMaxPathAreReached)
{
    std::vector<std::wstring> folders{backend().scratchFolder()};
    for (wchar_t letter = L'a'; letter < L'f'; ++letter)
        folders.push_back(folders.back() + L"\\" + std::wstring(60, letter));
    const std::wstring deep = folders.back();
    const std::wstring file = deep + L"\\long.txt";
    ASSERT_GT(file.size(), 260u);
    backend().writeFile(file, "far down");

    FileEntry entry;
    ASSERT_EQ(machine().files.attributes(file, entry), ErrorSuccess);
    EXPECT_EQ(entry.size, 8u);
    EXPECT_EQ(listing(deep).count(L"long.txt"), 1u);
    std::string bytes;
    ASSERT_EQ(machine().files.readFile(file, 100, bytes), ErrorSuccess);
    EXPECT_EQ(bytes, "far down");
    ASSERT_EQ(machine().files.rename(file, deep + L"\\moved.txt"), ErrorSuccess);
    ASSERT_EQ(machine().files.setAttributes(deep + L"\\moved.txt", FileAttribute::Normal), ErrorSuccess);
    ASSERT_EQ(machine().files.deleteFile(deep + L"\\moved.txt"), ErrorSuccess);
    EXPECT_EQ(machine().files.attributes(deep + L"\\moved.txt", entry), ErrorFileNotFound);
    for (std::size_t i = folders.size() - 1; i > 0; --i)
        EXPECT_EQ(machine().files.removeDirectory(folders[i]), ErrorSuccess) << i;
    EXPECT_TRUE(listing(backend().scratchFolder()).empty());
}

TEST_F(FilesContract, LongPathNameKeepsALongNameAsGiven)
{
    backend().writeFile(scratch(L"Mixed Case Name.txt"), "x");
    std::wstring longPath;
    ASSERT_EQ(machine().files.longPathName(scratch(L"MIXED CASE NAME.TXT"), longPath), ErrorSuccess);
    ASSERT_GE(longPath.size(), 19u);
    EXPECT_EQ(longPath.substr(longPath.size() - 19), L"MIXED CASE NAME.TXT");
}

TEST_F(FilesContract, LongPathNameOfAMissingFileFails)
{
    std::wstring longPath;
    const Status missingFile = machine().files.longPathName(scratch(L"nothing-here.txt"), longPath);
    EXPECT_TRUE(missingFile == ErrorFileNotFound || missingFile == ErrorPathNotFound) << missingFile;
    const Status missingFolder = machine().files.longPathName(scratch(L"no-folder\\x.txt"), longPath);
    EXPECT_TRUE(missingFolder == ErrorFileNotFound || missingFolder == ErrorPathNotFound) << missingFolder;
}

} // namespace
