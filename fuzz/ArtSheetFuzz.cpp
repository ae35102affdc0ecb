// The team art sheet bitmap (1024 x 650, 24-bit). Inputs are padded with zeros
// up to the file size their header claims (at most a whole sheet), so the
// fuzzer need not write two megabytes of pixels to get past the header.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/ByteOrder.h"
#include "formats/ArtSheetBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    constexpr std::size_t kWholeSheet = 54 + std::size_t{kArtSheetFileWidth} * kArtSheetHeight * 3;
    std::vector<std::uint8_t> file(data, data + size);
    if (size >= 6) {
        file.resize(std::max<std::size_t>(size, std::min<std::size_t>(ReadU32(data + 2), kWholeSheet)), 0);
    }
    PackedBitmap sheet;
    if (Ok(ParseArtSheetBitmap(file, sheet)) && !sheet.is(kArtSheetWidth, kArtSheetHeight, Depth::Bits24)) {
        __builtin_trap();
    }
    return 0;
}
