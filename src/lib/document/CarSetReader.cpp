#include <cstring>

#include "core/ByteOrder.h"
#include "document/CarSetChecksum.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "document/NumberPositions.h"
#include "document/PictureRecords.h"
#include "document/TeamDataSection.h"

namespace tavolex {
namespace {

// Old car sets stored fewer pit crew colours: the later ones copy earlier ones.
void UpgradeCrewColours(TeamRecord& team) {
    auto& colours = team.pitCrewColours;
    for (int i : {11, 12, 13, 15}) {
        colours[static_cast<std::size_t>(i)] = colours[4];
    }
    colours[14] = colours[10];
}

GraphicSource SourceFor(SlotPresence presence) {
    switch (presence) {
    case SlotPresence::Present: return GraphicSource::CarSet;
    case SlotPresence::Generated: return GraphicSource::Generated;
    case SlotPresence::Absent: return GraphicSource::None;
    }
    return GraphicSource::None;
}

// Every lazily held slot takes its source from what the file holds.
void ProbeSlots(CarSet& carSet, ByteSource& file, GraphicKind kind) {
    const PictureSection section = SectionOf(kind);
    for (int slot = 0; slot < KindInfo(kind).slotCount; ++slot) {
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            if (GraphicSlot* target = SlotOf(carSet, kind, slot, variant)) {
                SlotPresence presence = ProbePicture(file, carSet.formatVersion, section, slot, variant);
                // Tyres, treads and artwork are never generated.
                if ((kind == GraphicKind::Tyre || kind == GraphicKind::Tread || kind == GraphicKind::MenuArtwork) &&
                    presence == SlotPresence::Generated) {
                    presence = SlotPresence::Present;
                }
                *target = GraphicSlot{SourceFor(presence), {}};
            }
        }
    }
}

} // namespace

bool ReadCarSetInformation(ByteSource& file, std::string& text) {
    text.clear();
    SourceCursor entry(file, kInformationEntry);
    const std::uint8_t count = entry.u8();
    const std::uint32_t offset = entry.u32();
    if (!entry.ok() || count == 0) {
        return false;
    }
    SourceCursor section(file, offset);
    section.u8();
    const std::uint32_t length = section.u32();
    // Another tool may have written more than the editor keeps: the rest is left.
    std::string content(std::min<std::size_t>(length, kInformationCapacity), '\0');
    if (!section.bytes(content.size(), reinterpret_cast<std::uint8_t*>(content.data()))) {
        return false;
    }
    text = std::move(content);
    return true;
}

Error LoadCarSet(CarSet& carSet, const std::filesystem::path& path) {
    FileSource file(path);
    if (!file.isOpen()) {
        return Error::OpenFailed;
    }
    return LoadCarSet(carSet, file, path.string());
}

Error LoadCarSet(CarSet& carSet, ByteSource& file, const std::string& path) {
    std::uint8_t header[9] = {};
    if (!file.read(0, sizeof header, header) || std::memcmp(header, kCarSetMagic.data(), kCarSetMagic.size()) != 0) {
        return Error::NotACarSet;
    }
    const std::uint16_t version = ReadU16(header + kCarSetMagic.size());
    if (version != kCarSetVersion100 && version != kCarSetVersion110) {
        return version <= kCarSetVersion110 ? Error::NotACarSet : Error::NewerCarSetVersion;
    }
    CarSetChecksums computed;
    std::uint8_t trailer[kCarSetTrailerSize];
    if (file.size() < kCarSetHeaderSize + kCarSetTrailerSize || !Ok(ComputeCarSetChecksums(file, computed)) ||
        !file.read(file.size() - kCarSetTrailerSize, kCarSetTrailerSize, trailer)) {
        return Error::CarSetCorrupt;
    }
    for (std::size_t i = 0; i < computed.size(); ++i) {
        if (ReadU16(trailer + 2 * i) != computed[i]) {
            return Error::CarSetCorrupt;
        }
    }

    // Everything goes into a copy first, so a failure leaves the car set as it
    // was. The megabyte of scratch area is working memory, not content: it
    // stays where it is instead of being copied on every load.
    std::vector<std::uint8_t> scratch = std::move(carSet.scratch);
    CarSet loaded = carSet;
    carSet.scratch = std::move(scratch);
    SourceCursor entry(file, kTeamDataEntry);
    const std::uint8_t teamCount = entry.u8();
    const std::uint32_t teamOffset = entry.u32();
    if (!entry.ok()) {
        return Error::CarSetCorrupt;
    }
    if (teamCount != 0) {
        SourceCursor section(file, teamOffset);
        if (!Ok(ReadTeamDataSection(section, version, loaded))) {
            return Error::CarSetCorrupt;
        }
    }
    if (version == kCarSetVersion100) {
        for (int t = 0; t < kTeamCount; ++t) {
            SetDefaultNumberPositions(loaded.teams[t], t);
            UpgradeCrewColours(loaded.teams[t]);
        }
        CarSet defaults;
        NewCarSet(defaults);
        loaded.misc = defaults.misc;
    }
    loaded.formatVersion = version;
    loaded.modified = false;
    loaded.path = path;

    ProbeSlots(loaded, file, GraphicKind::CarLivery);
    if (version == kCarSetVersion100) {
        for (TeamRecord& team : loaded.teams) {
            if (team.livery[0].source == GraphicSource::None && team.livery[1].source == GraphicSource::None) {
                ClearNumberPositions(team);
            }
        }
    }
    for (Variant variant : {Variant::Software, Variant::Hardware}) {
        const auto v = static_cast<std::size_t>(VariantIndex(variant));
        const bool read = Ok(ReadPicture(file, version, PictureSection::Helmets, 0, variant, loaded.helmetImages[v]));
        loaded.helmetFlags[v] = read ? 1 : 0;
        if (!read) {
            loaded.helmetImages[v].clear();
        }
    }
    for (GraphicKind kind : {GraphicKind::Tyre, GraphicKind::Tread, GraphicKind::Cockpit, GraphicKind::PitCrew,
                             GraphicKind::PitBoxes, GraphicKind::MenuArtwork}) {
        ProbeSlots(loaded, file, kind);
    }
    loaded.hasInformation = ReadCarSetInformation(file, loaded.information) ? 1 : 0;

    loaded.onModified = carSet.onModified;
    loaded.scratch = std::move(carSet.scratch);
    carSet = std::move(loaded);
    return Error::None;
}

} // namespace tavolex
