#include "CarSetCommands.h"

#include <filesystem>
#include <iostream>

#include <nlohmann/json.hpp>

#include "CommandTemporaryFolder.h"
#include "PictureFiles.h"
#include "PreviewCommands.h"
#include "TeamsJson.h"
#include "TerminalProgress.h"
#include "core/TextEncoding.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "editing/GraphicCommands.h"
#include "editing/PictureRefusal.h"
#include "files/CaseInsensitivePath.h"
#include "formats/BitmapFile.h"
#include "formats/PictureFile.h"
#include "game/GraphicEnvironment.h"
#include "settings/AppPaths.h"

namespace tavolex::cli {
namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

// The slot's state in a loaded car set: "present", "generated" or nothing.
const char* PictureState(const CarSet& carSet, const PictureFile& file) {
    if (file.kind == GraphicKind::Helmets) {
        return carSet.helmetFlags[VariantSlot(file.variant)] != 0 ? "present" : nullptr;
    }
    const GraphicSlot* slot = SlotOf(carSet, file.kind, file.slot, file.variant);
    if (slot == nullptr || slot->source == GraphicSource::None) {
        return nullptr;
    }
    return slot->source == GraphicSource::Generated ? "generated" : "present";
}

int New(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("carset new takes OUT.GP3");
    }
    CarSet carSet;
    NewCarSet(carSet);
    return SaveCarSetFile(carSet, arguments.positional()[0], GraphicEnvironment{});
}

int Info(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("carset info takes IN.GP3");
    }
    CarSet carSet;
    if (int status = LoadCarSetFile(carSet, arguments.positional()[0]); status != kSuccess) {
        return status;
    }
    Json tyres = Json::array();
    for (const TyreRecord& tyre : carSet.tyres) {
        tyres.push_back({{"name", Windows1252ToUtf8(tyre.name.view())}});
    }
    Json levelNames = Json::array();
    for (const auto& name : carSet.misc.levelNames) {
        levelNames.push_back(Windows1252ToUtf8(name.view()));
    }
    Json pictures = Json::object();
    for (const PictureFile& file : AllPictureFiles()) {
        if (const char* state = PictureState(carSet, file)) {
            pictures[file.name] = state;
        }
    }
    Json info = {{"format_version", carSet.formatVersion},
                 {"teams", TeamsToJson(carSet.teams)},
                 {"tyres", tyres},
                 {"misc",
                  {{"points", carSet.misc.points},
                   {"opposition_spread", carSet.misc.oppositionSpread},
                   {"level_names", levelNames},
                   {"player_car_power", carSet.misc.playerCarPower}}},
                 {"information", carSet.hasInformation != 0 ? Json(Windows1252ToUtf8(carSet.information)) : Json()},
                 {"pictures", pictures}};
    std::cout << info.dump(2) << '\n';
    return kSuccess;
}

int Extract(Arguments arguments) {
    const bool png = arguments.takeFlag("--png");
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("carset extract takes IN.GP3 DIR [--png]");
    }
    CarSet carSet;
    if (int status = LoadCarSetFile(carSet, arguments.positional()[0]); status != kSuccess) {
        return status;
    }
    const fs::path folder = arguments.positional()[1];
    std::error_code ec;
    fs::create_directories(folder, ec);
    CommandTemporaryFolder temporary;
    const GraphicEnvironment environment{temporary.path(), {}, temporary.path()};
    int status = kSuccess;
    for (const PictureFile& file : AllPictureFiles()) {
        const char* state = PictureState(carSet, file);
        if (state == nullptr) {
            continue;
        }
        PackedBitmap image;
        if (file.kind == GraphicKind::Helmets) {
            image = carSet.helmetImages[VariantSlot(file.variant)];
        } else if (!Ok(FetchGraphic(carSet, environment, file.kind, file.slot, file.variant, image, false, nullptr))) {
            const bool generated = std::string_view(state) == "generated";
            status = Fail(file.name + ": " +
                          std::string(Text(generated ? TextId::FailedToGenerateBitmap : TextId::FailedToReadCarSet)));
            continue;
        }
        const fs::path target = folder / (png ? PngName(file) : file.name);
        const Error error = SaveGraphicFile(file.kind, target, image);
        if (!Ok(error)) {
            status = Fail(file.name + ": " + std::string(Text(TextId::CouldntSaveBitmap)), ErrorText(error));
        }
    }
    return status;
}

// Checks a picture file of DIR and puts it into the car set.
Error AddPicture(CarSet& carSet, const PictureFile& file, const fs::path& path) {
    const GraphicKindInfo& info = KindInfo(file.kind);
    const int v = VariantIndex(file.variant);
    const Depth depth = file.variant == Variant::Hardware ? Depth::Bits24 : Depth::Bits8;
    PackedBitmap image;
    // Each kind checks its own file form (the art sheet bitmap is 1024 wide).
    const Error error = file.kind == GraphicKind::Helmets
                            ? LoadPictureFile(path, image, info.width[v], info.height[v], depth)
                            : LoadGraphicFile(file.kind, file.variant, path, image);
    if (!Ok(error)) {
        return error;
    }
    if (file.kind == GraphicKind::Helmets) {
        carSet.helmetImages[VariantSlot(file.variant)] = std::move(image);
        carSet.helmetFlags[VariantSlot(file.variant)] = 1;
    } else {
        SetSlotFromFile(carSet, file.kind, file.slot, file.variant, path);
    }
    return Error::None;
}

int Pack(Arguments arguments) {
    const auto from = arguments.takeOption("--from");
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError("carset pack takes DIR OUT.GP3 [--from IN.GP3]");
    }
    const fs::path folder = arguments.positional()[0];
    CarSet carSet;
    if (from) {
        if (int status = LoadCarSetFile(carSet, *from); status != kSuccess) {
            return status;
        }
    } else {
        NewCarSet(carSet);
    }
    // Only the team data comes from IN.GP3: every picture comes from DIR.
    for (const PictureFile& file : AllPictureFiles()) {
        RemoveSlot(carSet, file.kind, file.slot, file.variant);
    }
    carSet.helmetFlags = {0, 0};
    carSet.helmetImages = {};
    CommandTemporaryFolder temporary;
    for (const PictureFile& file : AllPictureFiles()) {
        auto path = FindPathIgnoringCase(folder, file.name);
        if (!path) {
            path = FindPathIgnoringCase(folder, PngName(file));
        }
        if (path) {
            if (Error error = AddPicture(carSet, file, *path); !Ok(error)) {
                return Fail(file.name + ": " + std::string(Text(TextId::CouldntLoadBitmap)),
                            PictureProblem(error, file.kind, file.variant));
            }
        }
    }
    return SaveCarSetFile(carSet, arguments.positional()[1],
                          GraphicEnvironment{temporary.path(), {}, temporary.path()});
}

// The name a generated picture is printed with: its extract file name without ".bmp".
std::string PictureName(const GeneratedPicture& picture) {
    for (const PictureFile& file : AllPictureFiles()) {
        if (file.kind == picture.kind && file.slot == picture.slot && file.variant == picture.target) {
            return fs::path(file.name).stem().string();
        }
    }
    return {};
}

int Generate(Arguments arguments) {
    const auto game = arguments.takeOption("--game");
    const auto kind = arguments.takeOption("--kind");
    const auto to = arguments.takeOption("--to");
    const char* usage = "carset generate takes IN.GP3 OUT.GP3 [--game DIR] [--kind KIND] [--to software|hardware]";
    if (!arguments.valid() || arguments.positional().size() != 2) {
        return UsageError(usage);
    }
    const std::pair<const char*, GraphicKind> kindNames[] = {{"cars", GraphicKind::CarLivery},
                                                             {"cockpits", GraphicKind::Cockpit},
                                                             {"pitcrews", GraphicKind::PitCrew},
                                                             {"pitboxes", GraphicKind::PitBoxes},
                                                             {"helmets", GraphicKind::Helmets}};
    std::vector<GraphicKind> kinds;
    for (const auto& [name, value] : kindNames) {
        if (!kind || *kind == name)
            kinds.push_back(value);
    }
    std::vector<Variant> targets;
    if (!to || *to == "software")
        targets.push_back(Variant::Software);
    if (!to || *to == "hardware")
        targets.push_back(Variant::Hardware);
    if (kinds.empty() || targets.empty()) {
        return UsageError(usage);
    }
    CarSet carSet;
    if (int status = LoadCarSetFile(carSet, arguments.positional()[0]); status != kSuccess) {
        return status;
    }
    CommandTemporaryFolder temporary;
    // The cockpit mask lives where the editor keeps it, so both share one.
    const GraphicEnvironment environment{temporary.path(), game.value_or(std::string()), EditorDataFolder()};
    std::vector<std::string> made;
    GeneratedPicture failed{};
    const Error error = GenerateEmptySlots(
        carSet, environment, kinds, targets,
        [&](const GeneratedPicture& picture) {
            made.push_back(PictureName(picture));
            // A car set file keeps no generated picture; these are to be stored, as files are.
            if (const GraphicSlot* slot = SlotOf(carSet, picture.kind, picture.slot, picture.target)) {
                SetSlotFromFile(carSet, picture.kind, picture.slot, picture.target, slot->path);
            }
        },
        &failed);
    if (!Ok(error)) {
        return Fail(PictureName(failed) + ": " + std::string(Text(TextId::FailedToGenerateBitmap)), ErrorText(error));
    }
    if (int status = SaveCarSetFile(carSet, arguments.positional()[1], environment); status != kSuccess) {
        return status;
    }
    for (const std::string& name : made) {
        std::cout << "generated " << name << '\n';
    }
    return kSuccess;
}

} // namespace

int RunCarSetCommand(Arguments arguments) {
    return Dispatch("carset", arguments,
                    {{"new", New},
                     {"info", Info},
                     {"extract", Extract},
                     {"pack", Pack},
                     {"generate", Generate},
                     {"preview", PreviewCarSet}});
}

} // namespace tavolex::cli
