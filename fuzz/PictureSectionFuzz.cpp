// One picture section of the car set file: the input is a slot's record
// (packing byte, length, data) behind a fixed header and section tables, so
// every input reaches the section's decoder. Built once per section, with
// TAVOLEX_FUZZ_SECTION naming it.
#include <cstdint>
#include <span>
#include <vector>

#include "core/ByteOrder.h"
#include "document/PictureRecords.h"

#ifndef TAVOLEX_FUZZ_SECTION
#error TAVOLEX_FUZZ_SECTION names the picture section
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    constexpr auto section = static_cast<PictureSection>(TAVOLEX_FUZZ_SECTION);
    if (size < 1) {
        return 0;
    }
    const PictureSectionLayout& layout = SectionLayout(section);
    // The first byte picks the variant; every flag says "stored" and every
    // offset points at the record after the tables.
    const bool software = (data[0] & 1) == 0 && KindInfo(layout.kind).hasSoftware;
    const Variant variant = software ? Variant::Software : Variant::Hardware;
    const std::size_t tables = kCarSetHeaderSize;
    const std::size_t record = tables + layout.flagBytes + 4 * layout.offsetEntries;
    std::vector<std::uint8_t> file(record, 0);
    file[layout.directoryEntry] = 1;
    WriteU32(file.data() + layout.directoryEntry + 1, static_cast<std::uint32_t>(tables));
    for (std::size_t i = 0; i < layout.flagBytes; ++i) {
        file[tables + i] = 1;
    }
    for (std::size_t i = 0; i < layout.offsetEntries; ++i) {
        WriteU32(file.data() + tables + layout.flagBytes + 4 * i, static_cast<std::uint32_t>(record));
    }
    file.insert(file.end(), data + 1, data + size);
    SpanSource source(file);
    PackedBitmap image;
    if (Ok(ReadPicture(source, kCarSetVersion110, section, 0, variant, image))) {
        const PictureShape shape = ShapeOf(section, variant);
        if (!image.is(shape.width, shape.height, shape.colour ? Depth::Bits24 : Depth::Bits8)) {
            __builtin_trap(); // a picture read is always of the section's shape
        }
    }
    return 0;
}
