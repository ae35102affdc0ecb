#include "CarSetCommands.h"

#include <filesystem>
#include <iostream>

#include <nlohmann/json.hpp>

#include "CommandTemporaryFolder.h"
#include "PictureFiles.h"
#include "TeamsJson.h"
#include "TerminalProgress.h"
#include "core/TextEncoding.h"
#include "core/Texts.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "files/CaseInsensitivePath.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/BitmapFile.h"
#include "formats/PictureFile.h"

namespace tavolex::cli {
namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

std::size_t VariantSlot(Variant variant) { return static_cast<std::size_t>(VariantIndex(variant)); }

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


int Save(CarSet& carSet, const fs::path& path, const GraphicEnvironment& environment) {
    TerminalProgress progress;
    if (Error error = SaveCarSet(carSet, path, environment, &progress); !Ok(error)) {
        return Fail(Text(TextId::CouldntSaveCarSet), ErrorText(error));
    }
    return kSuccess;
}

int New(const Arguments& arguments) {
    if (!arguments.valid() || arguments.positional().size() != 1) {
        return UsageError("carset new takes OUT.GP3");
    }
    CarSet carSet;
    NewCarSet(carSet);
    return Save(carSet, arguments.positional()[0], GraphicEnvironment{});
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
        } else if (!FetchGraphic(carSet, environment, file.kind, file.slot, file.variant, image, false, nullptr)) {
            const bool generated = std::string_view(state) == "generated";
            status = Fail(file.name + ": " +
                          std::string(Text(generated ? TextId::FailedToGenerateBitmap : TextId::FailedToReadCarSet)));
            continue;
        }
        const fs::path target = folder / (png ? PngName(file) : file.name);
        const Error error = file.kind == GraphicKind::MenuArtwork ? SaveArtSheetBitmap(target, image)
                                                                  : SavePictureFile(target, image);
        if (!Ok(error)) {
            status = Fail(file.name + ": " + std::string(Text(TextId::CouldntSaveBitmap)), ErrorText(error));
        }
    }
    return status;
}

// Checks a picture file of DIR and puts it into the car set.
Error AddPicture(CarSet& carSet, const PictureFile& file, const fs::path& path, const fs::path& temporary) {
    const GraphicKindInfo& info = KindInfo(file.kind);
    const int v = VariantIndex(file.variant);
    const Depth depth = file.variant == Variant::Hardware ? Depth::Bits24 : Depth::Bits8;
    PackedBitmap image;
    if (file.kind == GraphicKind::MenuArtwork) {
        // The car set keeps the 948-wide sheet; the art sheet bitmap is wider.
        const fs::path sheet = temporary / file.name;
        if (Error error = LoadArtSheetBitmap(path, image); !Ok(error)) {
            return error;
        }
        if (Error error = SaveBitmapFile(sheet, image); !Ok(error)) {
            return error;
        }
        SetSlotFromFile(carSet, file.kind, file.slot, file.variant, sheet);
        return Error::None;
    }
    if (Error error = LoadPictureFile(path, image, info.width[v], info.height[v], depth); !Ok(error)) {
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
            if (Error error = AddPicture(carSet, file, *path, temporary.path()); !Ok(error)) {
                return Fail(file.name + ": " + std::string(Text(TextId::CouldntLoadBitmap)), ErrorText(error));
            }
        }
    }
    return Save(carSet, arguments.positional()[1], GraphicEnvironment{temporary.path(), {}, temporary.path()});
}

} // namespace

int RunCarSetCommand(Arguments arguments) {
    return Dispatch("carset", arguments, {{"new", New}, {"info", Info}, {"extract", Extract}, {"pack", Pack}});
}

} // namespace tavolex::cli
