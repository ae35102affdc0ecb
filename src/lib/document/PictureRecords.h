#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/Error.h"
#include "document/CarSetFormat.h"
#include "files/ByteSource.h"
#include "formats/PackedBitmap.h"

// The pictures of a car set file: one record per stored slot, raw or packed
// with the run-length codings, found through each section's flag and offset tables.

namespace tavolex {

enum class SlotPresence { Absent, Present, Generated };

// Appends the record of `image`, which must have the section's shape for the
// variant: packed when that is strictly shorter (the artwork always packed).
[[nodiscard]] Error AppendPictureRecord(PictureSection section, Variant variant, const PackedBitmap& image,
                                        std::vector<std::uint8_t>& out);

// What the file holds for a slot; absent where the section, the format or the tables say so.
SlotPresence ProbePicture(ByteSource& file, std::uint32_t version, PictureSection section, int slot, Variant variant);

// Reads a stored slot into `image` (8-bit with the game's palette, or 24-bit).
[[nodiscard]] Error ReadPicture(ByteSource& file, std::uint32_t version, PictureSection section, int slot,
                                Variant variant, PackedBitmap& image);

// The same on a car set file by path, as the lazy fetch reads it.
SlotPresence ProbePicture(const std::filesystem::path& path, std::uint32_t version, PictureSection section, int slot,
                          Variant variant);
[[nodiscard]] Error ReadPicture(const std::filesystem::path& path, std::uint32_t version, PictureSection section,
                                int slot, Variant variant, PackedBitmap& image);

} // namespace tavolex
