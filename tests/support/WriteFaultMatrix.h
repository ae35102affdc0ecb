#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "files/WriteFaults.h"

// Running an operation that writes files under every fault the atomic writer
// can meet, one at a time, and checking that it survived each.

namespace tavolex::test {

struct WriteFault {
    WriteStep step;
    int occurrence; // the N-th time the step is taken
    int errorNumber;
    std::string fileName = {}; // only writes to files of this name count
    std::string describe() const;
};

// The fault is armed while this lives.
class ArmedWriteFault {
  public:
    explicit ArmedWriteFault(const WriteFault& fault);
    ~ArmedWriteFault();
    ArmedWriteFault(const ArmedWriteFault&) = delete;
    ArmedWriteFault& operator=(const ArmedWriteFault&) = delete;
};

// Every file below a folder with its bytes, by its path relative to the folder.
using FolderSnapshot = std::map<std::string, std::vector<std::uint8_t>>;
FolderSnapshot SnapshotFolder(const std::filesystem::path& folder);

// Names the atomic writer gives its temporary files (".NAME.xxxxxxxx.tmp").
bool IsTemporaryFileName(const std::string& relativePath);

struct FaultedOperation {
    // Puts the files the operation starts from into a fresh folder.
    std::function<void(const std::filesystem::path& folder)> prepare;
    // Runs it; true when it reports success.
    std::function<bool(const std::filesystem::path& folder)> run;
    // The kind's own checks after a failed run (messages, the car set in memory); may be empty.
    std::function<void(const std::filesystem::path& folder)> afterFailure;
    // For an operation that writes a file twice: the part it completes first,
    // whose files are whole too (an archive expanded before a picture goes in). May be empty.
    std::function<void(const std::filesystem::path& folder)> firstPart = {};
};

// Runs the operation once without faults to learn the steps it takes, then
// once under each of them (the N-th create, write, sync, name, close and
// rename, failing as a full disk and as an input/output error in turn), each time from fresh
// files, and expects: the operation reports failure, every file is byte for
// byte the one before, the one the first part leaves or the one the clean run
// left, none is lost, and no
// temporary file remains. Returns how many faults were tried.
int ExpectEveryWriteFaultSurvived(const FaultedOperation& operation);

} // namespace tavolex::test
