// Car set files: header, checksums, team data, helmets and information on any
// bytes, and the section tables every picture is found through. The pictures'
// records themselves have targets of their own (PictureSectionFuzz.cpp), so
// this one stays fast enough to get deep into the team data.
#include <cstdint>
#include <span>
#include <string>

#include "FuzzCarSet.h"
#include "document/CarSetFile.h"
#include "document/PictureRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    SpanSource source(std::span<const std::uint8_t>(data, size));
    CarSet carSet = NewFuzzCarSet();
    const auto before = carSet.teams;
    if (LoadCarSet(carSet, source, "fuzz.gp3") != Error::None && carSet.teams != before) {
        __builtin_trap(); // a failed load leaves the car set as it was
    }
    std::string information;
    (void)ReadCarSetInformation(source, information);
    for (std::uint32_t version : {100u, 110u}) {
        for (int s = 0; s < 8; ++s) {
            for (int slot = 0; slot < 11; ++slot) {
                for (Variant variant : {Variant::Software, Variant::Hardware}) {
                    (void)ProbePicture(source, version, static_cast<PictureSection>(s), slot, variant);
                }
            }
        }
    }
    return 0;
}
