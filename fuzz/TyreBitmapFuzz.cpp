// The game's wheel and tread BMPs and the tyre files users choose: any bytes
// must give an error or a half, never a crash.
#include <cstdint>
#include <span>

#include "formats/TyreBitmaps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    const std::span<const std::uint8_t> file(data, size);
    PackedBitmap half;
    for (TyreSheet sheet : {TyreSheet::SoftwareWheels, TyreSheet::HardwareWheels, TyreSheet::Treads}) {
        if (Ok(ParseGameHalfBitmap(file, sheet, half))) {
            (void)EncodeGameHalfBitmap(half, sheet, GameBitmapFill(sheet, 1));
        }
    }
    return 0;
}
