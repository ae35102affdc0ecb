#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "core/Error.h"
#include "core/Progress.h"
#include "formats/PackedBitmap.h"
#include "game/GameIdentity.h"

// The game's menu art archive (BITMAPS\GP3ART5.BIN): a signature, a directory
// of 840 pictures and their data blocks, each packed (with back-references)
// or in slot form (runs only, in a slot of W x H x 2 bytes). The editor
// rewrites the teams' packed pictures into slot form once ("expanding"), so
// that a team's 45 pictures can then be read and written in place, and moves
// them to and from the team art sheet (948 x 650, 24-bit).

namespace tavolex {

inline constexpr int kArtEntryCount = 840;
inline constexpr std::size_t kArtHeaderSize = 32;
inline constexpr std::size_t kArtEntrySize = 24;
inline constexpr std::size_t kArtDataStart = kArtHeaderSize + kArtEntrySize * kArtEntryCount; // 20192
inline constexpr int kArtPicturesPerTeam = 45;
inline constexpr std::uint16_t kArtTransparent = 0x7C1F;

struct ArtEntry {
    std::int32_t a;
    std::int32_t b;
    std::int32_t width;
    std::int32_t height;
    std::int32_t size;
    std::int32_t offset;

    bool packed() const { return static_cast<std::int64_t>(size) != std::int64_t{width} * height * 2; }
    friend bool operator==(const ArtEntry&, const ArtEntry&) = default;
};

// The team (1-11) an entry belongs to, 0 for none.
int TeamOfArtEntry(int entry);
// Entries 422-432 hold no transparent runs: 0x1F 0x7C is a plain pixel there.
constexpr bool HasTransparentRuns(int entry) { return entry < 422 || entry > 432; }
// The 45 entries of team t (0-10), in the order the sheet places them.
std::array<int, kArtPicturesPerTeam> TeamArtEntries(int team);
// Where picture k of a team sits on the sheet (x, y of its top-left corner).
struct SheetPosition {
    int x;
    int y;
};
SheetPosition ArtSheetPosition(int k);

// How an archive is recognised: by its signature (the one built in or one
// learnt earlier), or by its contents (0xA9 and 27 printable characters, and
// every team picture's block inside the file); `start` holds at least the
// header and directory of a file of `fileSize` bytes.
struct ArtIdentity {
    IdentifiedBy by = IdentifiedBy::None;
    ArtSignature signature{};
};
ArtIdentity IdentifyArtArchive(std::span<const std::uint8_t> start, std::uint64_t fileSize,
                               const std::optional<ArtSignature>& remembered = std::nullopt);
// The same for a file, reading only its header and directory.
ArtIdentity IdentifyArtArchiveFile(const std::filesystem::path& path,
                                   const std::optional<ArtSignature>& remembered = std::nullopt);

// Reads and checks the header (recognised as above) and directory.
[[nodiscard]] Error ReadArtDirectory(std::span<const std::uint8_t> archive, std::vector<ArtEntry>& entries);

// The three codings of a picture's pixels (RGB555 values).
[[nodiscard]] Error DecodePackedArt(std::span<const std::uint8_t> block, int width, int height, int entry,
                                    std::vector<std::uint16_t>& pixels);
[[nodiscard]] Error DecodeRunArt(std::span<const std::uint8_t> block, int width, int height, int entry,
                                 std::vector<std::uint16_t>& pixels);
// False when the coding would not fit the picture's slot of W x H x 2 bytes.
[[nodiscard]] Error EncodeRunArt(std::span<const std::uint16_t> pixels, int width, int entry,
                                 std::vector<std::uint8_t>& out);
// The same into `out`, which has room for the slot and three bytes more;
// the length of the coding, or nothing when it does not fit the slot.
std::optional<std::size_t> EncodeRunArtInto(std::span<const std::uint16_t> pixels, int width, int entry,
                                            std::span<std::uint8_t> out);

// The archive's bytes with every team picture in slot form; `changed` says
// whether there was anything to expand.
[[nodiscard]] Error ExpandArtArchive(std::span<const std::uint8_t> archive, std::vector<std::uint8_t>& expanded,
                                     bool& changed, Progress* progress = nullptr);
// Checks the archive file and expands it when needed, keeping the previous
// one with ".old" appended; nothing changes when it is already expanded.
[[nodiscard]] Error CheckAndExpandArtArchive(const std::filesystem::path& path, Progress* progress = nullptr);

// A fresh sheet with team t's 45 pictures; the archive must be expanded.
[[nodiscard]] Error ImportTeamArt(std::span<const std::uint8_t> archive, int team, PackedBitmap& sheet);
[[nodiscard]] Error ImportTeamArt(const std::filesystem::path& path, int team, PackedBitmap& sheet);
// Writes team t's pictures from the sheet into their slots; on failure the
// archive is left as it was.
[[nodiscard]] Error ExportTeamArt(std::vector<std::uint8_t>& archive, int team, const PackedBitmap& sheet,
                                  Progress* progress = nullptr);
// Several teams' sheets in one rewrite of the archive file, in order. A sheet
// that cannot be written ends it: the teams before it are written all the same.
struct TeamArtSheet {
    int team;
    const PackedBitmap* sheet;
};
[[nodiscard]] Error ExportTeamArts(const std::filesystem::path& path, std::span<const TeamArtSheet> sheets);

// The sheet before pictures are placed: black, a magenta band, green markers.
PackedBitmap ArtSheetBackground();

} // namespace tavolex
