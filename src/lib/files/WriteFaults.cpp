#include "files/WriteFaults.h"

#include <array>
#include <iterator>
#include <mutex>

namespace tavolex {
namespace {

struct FaultState {
    std::mutex mutex;
    std::array<int, std::size(kWriteSteps)> taken{};
    bool armed = false;
    WriteStep step = WriteStep::Create;
    int occurrence = 0;
    int errorNumber = 0;
    std::string fileName;
    bool unnamedFiles = true;
};

FaultState& State() {
    static FaultState state;
    return state;
}

std::size_t IndexOf(WriteStep step) { return static_cast<std::size_t>(step); }

} // namespace

const char* WriteStepName(WriteStep step) {
    switch (step) {
    case WriteStep::Create: return "create";
    case WriteStep::Write: return "write";
    case WriteStep::Sync: return "sync";
    case WriteStep::Name: return "name";
    case WriteStep::Close: return "close";
    case WriteStep::Rename: return "rename";
    }
    return "?";
}

void ArmWriteFault(WriteStep step, int occurrence, int errorNumber, const std::string& fileName) {
    FaultState& state = State();
    std::lock_guard lock(state.mutex);
    state.taken.fill(0);
    state.armed = true;
    state.step = step;
    state.occurrence = occurrence;
    state.errorNumber = errorNumber;
    state.fileName = fileName;
}

void DisarmWriteFault() {
    FaultState& state = State();
    std::lock_guard lock(state.mutex);
    state.taken.fill(0);
    state.armed = false;
    state.fileName.clear();
}

int WriteStepsTaken(WriteStep step) {
    FaultState& state = State();
    std::lock_guard lock(state.mutex);
    return state.taken[IndexOf(step)];
}

void SetUnnamedFilesOffered(bool offered) {
    FaultState& state = State();
    std::lock_guard lock(state.mutex);
    state.unnamedFiles = offered;
}

bool UnnamedFilesOffered() {
    FaultState& state = State();
    std::lock_guard lock(state.mutex);
    return state.unnamedFiles;
}

int TakeWriteStep(WriteStep step, const std::filesystem::path& target) {
    FaultState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.fileName.empty() && target.filename() != state.fileName) {
        return 0;
    }
    const int count = ++state.taken[IndexOf(step)];
    return state.armed && state.step == step && state.occurrence == count ? state.errorNumber : 0;
}

} // namespace tavolex
