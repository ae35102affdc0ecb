// Car set files: the loader and every per-kind picture reader on any bytes.
#include <cstdint>
#include <span>

#include "document/CarSetFile.h"
#include "document/PictureRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    SpanSource source(std::span<const std::uint8_t>(data, size));
    CarSet carSet;
    NewCarSet(carSet);
    (void)LoadCarSet(carSet, source, "fuzz.gp3");
    // The pictures are read as a fetch would, whether the checksums passed or not.
    for (std::uint32_t version : {100u, 110u}) {
        for (int s = 0; s < 8; ++s) {
            const auto section = static_cast<PictureSection>(s);
            for (int slot = 0; slot < 11; ++slot) {
                for (Variant variant : {Variant::Software, Variant::Hardware}) {
                    if (ProbePicture(source, version, section, slot, variant) == SlotPresence::Present) {
                        PackedBitmap image;
                        (void)ReadPicture(source, version, section, slot, variant, image);
                    }
                }
            }
        }
    }
    return 0;
}
