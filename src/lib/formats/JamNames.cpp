#include "formats/JamNames.h"

#include <array>

#include "files/FileHelpers.h"

namespace tavolex {
namespace {

constexpr std::array<std::string_view, 60> kNames = {
    "Liveries\\WILLIA98",
    "Liveries\\FERRAR98",
    "Liveries\\BENETT98",
    "Liveries\\MCLARE98",
    "Liveries\\JORDAN98",
    "Liveries\\PROST98",
    "Liveries\\SAUBER98",
    "Liveries\\ARROWS98",
    "Liveries\\STEWAR98",
    "Liveries\\TYRREL98",
    "Liveries\\MINARD98",
    "Liveries\\HELMETSD",
    "Liveries\\HELMETSE",
    "main\\JM-WILL1",
    "main\\JM-WILLI",
    "main\\JM-FERR1",
    "main\\JM-FERRA",
    "main\\JM-BENE1",
    "main\\JM-BENET",
    "main\\JM-MCLA1",
    "main\\JM-MCLAR",
    "main\\JM-JORD1",
    "main\\JM-JORDA",
    "main\\JM-PROS1",
    "main\\JM-PROST",
    "main\\JM-SAUB1",
    "main\\JM-SAUBE",
    "main\\JM-ARRO1",
    "main\\JM-ARROW",
    "main\\JM-STEW1",
    "main\\JM-STEWA",
    "main\\JM-TYRR1",
    "main\\JM-TYRRE",
    "main\\JM-MINA1",
    "main\\JM-MINAR",
    "Liveries\\Pa_wills",
    "Liveries\\Pa_ferra",
    "Liveries\\Pa_benet",
    "Liveries\\Pa_mclar",
    "Liveries\\Pa_jorda",
    "Liveries\\Pa_prost",
    "Liveries\\Pa_saubr",
    "Liveries\\Pa_arows",
    "Liveries\\Pa_stwrt",
    "Liveries\\Pa_tyrel",
    "Liveries\\Pa_minar",
    "main\\Pc-extr1",
    "main\\Pc-jack1",
    "main\\Pc-jack2",
    "main\\Pc-jack3",
    "main\\Whblur0",
    "main\\Whblur1",
    "main\\Whbridg0",
    "main\\Whbridg1",
    "",
    "",
    "",
    "",
    "",
    "GenJam\\Podgen04",
};

constexpr std::array<std::string_view, 11> kPitCrewRecolourNames = {
    "main\\PC-EXTR1", "main\\PC-EXTR2", "main\\PC-EXTR3", "main\\PC-EXTR4", "main\\PC-JACK",  "main\\PC-JACK1",
    "main\\PC-JACK2", "main\\PC-JACK3", "main\\PC-WHEEL", "main\\PC-WHL1",  "main\\PITPROP2",
};

// The recolouring sheets' heights and image counts, in name order.
constexpr std::array<JamSheetSize, 11> kPitCrewRecolourSizes = {{
    {189, 3},
    {189, 2},
    {190, 1},
    {156, 2},
    {190, 2},
    {172, 2},
    {254, 1},
    {254, 1},
    {164, 2},
    {169, 2},
    {168, 2},
}};

constexpr int kTeamCount = 11;
constexpr int kPitCrewFirst = 13;
constexpr int kPitCrewLast = 34;
constexpr int kArrowsPitCrewFirst = kPitCrewFirst + 2 * 7;

} // namespace

std::string_view JamName(int k) {
    if (k >= 0 && k < static_cast<int>(kNames.size())) {
        return kNames[static_cast<std::size_t>(k)];
    }
    if (k >= 100 && k < 100 + static_cast<int>(kPitCrewRecolourNames.size())) {
        return kPitCrewRecolourNames[static_cast<std::size_t>(k - 100)];
    }
    return {};
}

std::optional<JamSheetSize> ExpectedJamSize(int k, Variant variant) {
    const bool hardware = variant == Variant::Hardware;
    if (k >= 0 && k < kTeamCount) {
        return JamSheetSize{384, 3};
    }
    if (k == 11) {
        return JamSheetSize{180, 12};
    }
    if (k == 12) {
        return JamSheetSize{150, 10};
    }
    if (k >= kPitCrewFirst && k <= kPitCrewLast) {
        const bool arrows = k == kArrowsPitCrewFirst || k == kArrowsPitCrewFirst + 1;
        return JamSheetSize{arrows ? 255 : 254, 1};
    }
    if (k >= 35 && k <= 45) {
        return JamSheetSize{hardware ? 256 : 64, 1};
    }
    if (hardware) {
        return k == 59 ? std::optional(JamSheetSize{176, 11}) : std::nullopt;
    }
    if (k >= 100 && k < 100 + static_cast<int>(kPitCrewRecolourSizes.size())) {
        return kPitCrewRecolourSizes[static_cast<std::size_t>(k - 100)];
    }
    if (k == 46) {
        return JamSheetSize{189, 3};
    }
    if (k == 48 || k == 49) {
        return JamSheetSize{254, 1};
    }
    if (UsesIdentityTables(k)) {
        return JamSheetSize{256, 1};
    }
    if (k == 59) {
        return JamSheetSize{176, 11};
    }
    return std::nullopt;
}

bool UsesIdentityTables(std::string_view fileStem) {
    for (int k = 50; k <= 53; ++k) {
        std::string_view name = JamName(k);
        name.remove_prefix(name.find('\\') + 1);
        if (EqualsIgnoreCase(name, fileStem)) {
            return true;
        }
    }
    return false;
}

} // namespace tavolex
