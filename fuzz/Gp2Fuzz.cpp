// GP2 car sets and PER files from other tools: read or refused, never out of bounds.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "FuzzCarSet.h"
#include "core/ByteOrder.h"
#include "core/RunningChecksum.h"
#include "teams/ForeignTeamData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    CarSet carSet = NewFuzzCarSet();
    (void)ReadGp2CarSet(std::span<const std::uint8_t>(data, size), carSet);
    // Most inputs fail the checksum; a copy with a correct pair reaches the block reader.
    if (size >= 100 && size < (1u << 20)) {
        std::vector<std::uint8_t> sealed(data, data + size);
        RunningChecksum sum;
        sum.add(std::span(sealed).first(size - 4));
        WriteU16(sealed.data() + size - 4, sum.sum);
        WriteU16(sealed.data() + size - 2, sum.rot);
        (void)ReadGp2CarSet(sealed, carSet);
    }
    ReadPerText(std::string_view(reinterpret_cast<const char*>(data), size), carSet);
    return 0;
}
