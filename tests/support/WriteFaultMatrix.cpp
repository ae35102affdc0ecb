#include "WriteFaultMatrix.h"

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "files/AtomicWrite.h"

namespace tavolex::test {
namespace fs = std::filesystem;

std::string WriteFault::describe() const {
    return std::string(WriteStepName(step)) + " #" + std::to_string(occurrence) + " fails with " +
           std::strerror(errorNumber);
}

ArmedWriteFault::ArmedWriteFault(const WriteFault& fault) {
    ArmWriteFault(fault.step, fault.occurrence, fault.errorNumber, fault.fileName);
}

ArmedWriteFault::~ArmedWriteFault() { DisarmWriteFault(); }

FolderSnapshot SnapshotFolder(const fs::path& folder) {
    FolderSnapshot snapshot;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            // In one read: the game's executable is megabytes, taken many times.
            std::vector<std::uint8_t> bytes;
            EXPECT_TRUE(Ok(ReadWholeFile(entry.path(), std::size_t{1} << 30, bytes))) << entry.path();
            snapshot[fs::relative(entry.path(), folder).generic_string()] = std::move(bytes);
        }
    }
    return snapshot;
}

bool IsTemporaryFileName(const std::string& relativePath) {
    const std::string name = fs::path(relativePath).filename().string();
    return name.size() > 14 && name.front() == '.' && name.ends_with(".tmp");
}

int ExpectEveryWriteFaultSurvived(const FaultedOperation& operation) {
    std::vector<WriteFault> faults;
    FolderSnapshot before;
    FolderSnapshot after;
    {
        ScratchFolder clean;
        operation.prepare(clean.path());
        before = SnapshotFolder(clean.path());
        DisarmWriteFault();
        EXPECT_TRUE(operation.run(clean.path())) << "the operation fails even without a fault";
        // A full disk and an input/output error take turns.
        for (WriteStep step : kWriteSteps) {
            for (int n = 1; n <= WriteStepsTaken(step); ++n) {
                faults.push_back({step, n, faults.size() % 2 == 0 ? ENOSPC : EIO});
            }
        }
        after = SnapshotFolder(clean.path());
        EXPECT_NE(before, after) << "the operation writes nothing";
    }
    EXPECT_FALSE(faults.empty());
    FolderSnapshot middle;
    if (operation.firstPart) {
        ScratchFolder folder;
        operation.prepare(folder.path());
        operation.firstPart(folder.path());
        middle = SnapshotFolder(folder.path());
    }
    auto holds = [](const FolderSnapshot& snapshot, const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto found = snapshot.find(name);
        return found != snapshot.end() && found->second == bytes;
    };
    for (const WriteFault& fault : faults) {
        SCOPED_TRACE(fault.describe());
        ScratchFolder folder;
        operation.prepare(folder.path());
        bool succeeded = false;
        {
            ArmedWriteFault armed(fault);
            succeeded = operation.run(folder.path());
        }
        EXPECT_FALSE(succeeded) << "the operation reported success";
        const FolderSnapshot now = SnapshotFolder(folder.path());
        for (const auto& [name, bytes] : now) {
            EXPECT_FALSE(IsTemporaryFileName(name)) << name << " was left behind";
            EXPECT_TRUE(holds(before, name, bytes) || holds(middle, name, bytes) || holds(after, name, bytes))
                << name << " is neither the old file nor a complete new one";
        }
        for (const auto& [name, bytes] : before) {
            EXPECT_TRUE(now.contains(name)) << name << " was lost";
        }
        EXPECT_NE(now, after) << "the files are as after a success, yet the operation failed";
        if (operation.afterFailure) {
            operation.afterFailure(folder.path());
        }
    }
    return static_cast<int>(faults.size());
}

} // namespace tavolex::test
