#pragma once

// A test seam in the atomic writer: tests make one step of replacing a file
// fail as the system would (a full disk, an input/output error), to prove
// that every writer survives it. The writer counts each step it takes and asks
// before taking it; nothing fails unless a test armed a fault.

#include <filesystem>
#include <string>

namespace tavolex {

// The steps of replacing a file, in the order the atomic writer takes them.
// `Create` opens the new file (unnamed where the system allows), `Name` gives
// an unnamed file its temporary name, `Rename` puts it over the target.
enum class WriteStep { Create, Write, Sync, Name, Close, Rename };
inline constexpr WriteStep kWriteSteps[] = {WriteStep::Create, WriteStep::Write, WriteStep::Sync,
                                            WriteStep::Name,   WriteStep::Close, WriteStep::Rename};

const char* WriteStepName(WriteStep step);

// Makes the `occurrence`-th time (1 the first) `step` is taken after this
// call fail with `errorNumber` (an errno value); clears the counts. With
// `fileName`, only the steps of writes to files of that name count.
void ArmWriteFault(WriteStep step, int occurrence, int errorNumber, const std::string& fileName = {});
// No step fails any more; the counts start again from zero.
void DisarmWriteFault();
// How often `step` was taken since the last arming.
int WriteStepsTaken(WriteStep step);

// Makes the writer act as on a file system without unnamed files (false),
// so that tests reach the named way too; true again restores the system's.
void SetUnnamedFilesOffered(bool offered);
[[nodiscard]] bool UnnamedFilesOffered();

// For the writers: counts the step of writing `target` and says whether it
// is to fail; 0 to go on, else the errno it fails with.
int TakeWriteStep(WriteStep step, const std::filesystem::path& target);

} // namespace tavolex
