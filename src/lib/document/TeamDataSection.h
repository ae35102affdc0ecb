#pragma once

#include <cstdint>
#include <vector>

#include "core/Error.h"
#include "document/CarSet.h"
#include "files/ByteSource.h"

// The car set file's team data section: names, performance, numbers, crew
// colours, pit order and tyre names, and (format 110) number positions,
// points, level names, opposition spread and player car power.

namespace tavolex {

// Appends the section in format 110.
void WriteTeamDataSection(const CarSet& carSet, std::vector<std::uint8_t>& out);

// Reads the section of the given format into `carSet`. StreamTruncated when the
// section runs past the end or a text is longer than its field.
[[nodiscard]] Error ReadTeamDataSection(SourceCursor& cursor, std::uint16_t version, CarSet& carSet);

} // namespace tavolex
