#include "sample/SamplePitCrewMasks.h"

#include "editing/PitCrewUpgrade.h"
#include "files/AtomicWrite.h"
#include "sample/SamplePitCrew.h"

namespace tavolex {

Error WriteSamplePitCrewMasks(const std::filesystem::path& dataFolder) {
    for (int file = 0; file < kPitCrewUpgradeFiles; ++file) {
        const auto path = PitCrewMaskPath(dataFolder, file);
        std::error_code ignored; // a folder that cannot be made fails the write below
        std::filesystem::create_directories(path.parent_path(), ignored);
        if (Error error = WriteFileAtomically(path, SampleRecolourMask(file)); !Ok(error)) {
            return error;
        }
    }
    return Error::None;
}

} // namespace tavolex
