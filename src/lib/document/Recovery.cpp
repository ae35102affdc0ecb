#include "document/Recovery.h"

#include "formats/IniFile.h"

namespace tavolex {
namespace {
namespace fs = std::filesystem;

constexpr std::string_view kSection = "Recovery";

fs::path CarSetFile(const fs::path& dataFolder) { return dataFolder / "recovery.GP3"; }
fs::path InfoFile(const fs::path& dataFolder) { return dataFolder / "recovery.ini"; }

} // namespace

Error WriteRecovery(const CarSet& carSet, const GraphicContext& environment, const fs::path& dataFolder,
                    std::string_view when) {
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    CarSet copy = carSet;
    copy.onModified = nullptr;
    if (Error error = SaveCarSet(copy, CarSetFile(dataFolder), environment); !Ok(error)) {
        return error;
    }
    IniFile info;
    info.setValue(kSection, "Original", carSet.untitled() ? std::string() : carSet.path);
    info.setValue(kSection, "Time", when);
    return info.save(InfoFile(dataFolder));
}

std::optional<RecoveryInfo> FindRecovery(const fs::path& dataFolder) {
    std::error_code ec;
    if (!fs::is_regular_file(CarSetFile(dataFolder), ec)) {
        return std::nullopt;
    }
    IniFile info;
    (void)IniFile::Load(InfoFile(dataFolder), info); // without it the file is still worth offering
    return RecoveryInfo{CarSetFile(dataFolder), info.value(kSection, "Original", ""), info.value(kSection, "Time", "")};
}

void RemoveRecovery(const fs::path& dataFolder) {
    std::error_code ec;
    fs::remove(CarSetFile(dataFolder), ec);
    fs::remove(InfoFile(dataFolder), ec);
}

Error OpenRecovery(CarSet& carSet, const RecoveryInfo& recovery, const fs::path& temporaryFolder) {
    const fs::path copy = temporaryFolder / "recovered.GP3";
    std::error_code ec;
    fs::copy_file(recovery.carSet, copy, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        return Error::OpenFailed;
    }
    const Error error = LoadCarSet(carSet, copy);
    if (Ok(error)) {
        carSet.recovered = true;
        carSet.modified = true;
    }
    return error;
}

} // namespace tavolex
