#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "core/Error.h"
#include "core/Progress.h"
#include "document/CarSet.h"
#include "document/CarSetFormat.h"
#include "document/GraphicDeclarations.h"
#include "files/ByteSource.h"

// Saving and loading the car set file.

namespace tavolex {

// Writes the whole car set to `path` (format 110), fetching every stored
// picture from its source; the file is replaced only once complete. On
// success the stored slots' sources become the car set file, the format
// version 110 and the modified flag clear; the car set's path is left to the caller.
[[nodiscard]] Error SaveCarSet(CarSet& carSet, const std::filesystem::path& path, const GraphicContext& environment,
                               Progress* progress = nullptr);

// The file's bytes without writing them, as SaveCarSet makes them.
[[nodiscard]] Error EncodeCarSet(CarSet& carSet, const GraphicContext& environment, std::vector<std::uint8_t>& file,
                                 Progress* progress = nullptr);

// Replaces the car set with the file's: team data, settings, helmets and
// information, and the sources of every other picture, which stay in the
// file until fetched. On failure the car set is unchanged.
Error LoadCarSet(CarSet& carSet, const std::filesystem::path& path);
// The same from any source; `path` is what the car set records as its file.
Error LoadCarSet(CarSet& carSet, ByteSource& file, const std::string& path);

// The information text of a car set file, at most 20,000 characters; false when it has none.
[[nodiscard]] bool ReadCarSetInformation(ByteSource& file, std::string& text);

} // namespace tavolex
