#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/Error.h"
#include "core/Texts.h"
#include "core/Variant.h"
#include "document/GraphicKind.h"

// The layout of the car set file (.GP3): a 200-byte header with a directory of
// eleven sections, the sections, and an 8-byte checksum trailer.

namespace tavolex {

inline constexpr std::string_view kCarSetMagic = "Tavolex";
inline constexpr std::uint16_t kCarSetVersion100 = 100;
inline constexpr std::uint16_t kCarSetVersion110 = 110;
inline constexpr std::size_t kCarSetHeaderSize = 200;
inline constexpr std::size_t kCarSetTrailerSize = 8;
inline constexpr std::size_t kDirectoryStart = 20;
inline constexpr std::size_t kDirectoryEntrySize = 5;
inline constexpr std::size_t kTeamDataEntry = 20;
inline constexpr std::size_t kInformationEntry = 45;

// The picture sections, each with its directory entry and tables.
enum class PictureSection { CarLiveries, Helmets, Cockpits, PitCrews, Artwork, Tyres, PitBoxes, Treads };

struct PictureSectionLayout {
    PictureSection section;
    std::size_t directoryEntry; // offset of its directory entry in the header
    std::size_t flagBytes;      // size of the flag table
    std::size_t offsetEntries;  // entries of the u32 offset table that follows
    bool version110Only;
    GraphicKind kind;
};

const PictureSectionLayout& SectionLayout(PictureSection section);
PictureSection SectionOf(GraphicKind kind);

// Sections in the order the writer stores them.
inline constexpr std::array<PictureSection, 8> kSectionWriteOrder = {
    PictureSection::CarLiveries, PictureSection::Helmets,  PictureSection::Tyres,    PictureSection::Treads,
    PictureSection::Cockpits,    PictureSection::PitCrews, PictureSection::PitBoxes, PictureSection::Artwork};

// Where the flag (and offset entry) of a slot and variant lies in its section's tables.
std::size_t FlagIndex(PictureSection section, int slot, Variant variant);

// The width and height of a stored picture, and whether it is 24-bit.
struct PictureShape {
    int width;
    int height;
    bool colour;
};
PictureShape ShapeOf(PictureSection section, Variant variant);

// The progress kind name of a section's variant ("software car textures").
TextId KindName(PictureSection section, Variant variant);

// The message for a car set file that could not be loaded: not one of ours,
// corrupt, of a newer version, else (a file that cannot be read) not opened.
TextId LoadErrorText(Error error);

} // namespace tavolex
