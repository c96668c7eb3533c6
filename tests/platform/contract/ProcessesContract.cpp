#include "platform/ContractTest.h"
#include "platform/Text.h"

using namespace platform;

namespace {

class ProcessesContract : public ContractTest {};

// Process ids are multiples of four; this one is far beyond any a test machine hands out.
constexpr std::uint32_t kNoSuchProcess = 0x7FFFFFF0u;

TEST_F(ProcessesContract, SnapshotHoldsTheProgramItself)
{
    std::vector<ProcessEntry> processes;
    ASSERT_EQ(machine().processes.snapshot(processes), ErrorSuccess);
    const std::uint32_t self = machine().processes.currentProcessId();
    bool found = false;
    for (const auto& process : processes) {
        if (process.pid == self) {
            found = true;
            EXPECT_FALSE(process.exeName.empty());
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(ProcessesContract, OwnWorkingSetCanBeTrimmed)
{
    EXPECT_EQ(machine().processes.trimWorkingSet(machine().processes.currentProcessId()), ErrorSuccess);
}

TEST_F(ProcessesContract, AMissingProcessCannotBeOpened)
{
    EXPECT_EQ(machine().processes.trimWorkingSet(kNoSuchProcess), ErrorInvalidParameter);
    std::wstring path;
    EXPECT_EQ(machine().processes.imagePath(kNoSuchProcess, path), ErrorInvalidParameter);
}

TEST_F(ProcessesContract, OwnImagePathEndsWithTheExecutableName)
{
    const std::uint32_t self = machine().processes.currentProcessId();
    std::vector<ProcessEntry> processes;
    ASSERT_EQ(machine().processes.snapshot(processes), ErrorSuccess);
    std::wstring exeName;
    for (const auto& process : processes) {
        if (process.pid == self)
            exeName = process.exeName;
    }
    std::wstring path;
    ASSERT_EQ(machine().processes.imagePath(self, path), ErrorSuccess);
    ASSERT_GE(path.size(), exeName.size() + 1);
    EXPECT_TRUE(equalsIgnoreCase(path.substr(path.size() - exeName.size()), exeName));
    EXPECT_EQ(path[path.size() - exeName.size() - 1], L'\\');
}

} // namespace
