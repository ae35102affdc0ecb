// The run-length decoders on any input, with output buffers of exact size.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/RunLength16.h"
#include "formats/RunLength8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    if (size < 3) {
        return 0;
    }
    // The first bytes choose the pixel count and the implicit first code.
    const std::size_t pixels = (static_cast<std::size_t>(data[0]) << 8 | data[1]) + 1;
    const int implicitCode = data[2];
    const std::span<const std::uint8_t> stream(data + 3, size - 3);
    std::vector<std::uint16_t> values(pixels);
    std::size_t consumed = 0;
    if (Ok(DecodeRun16(stream, pixels, implicitCode, values.data(), &consumed))) {
        std::vector<std::uint8_t> coded;
        EncodeRun16(values, &coded);
        std::vector<std::uint16_t> again(pixels);
        if (!Ok(DecodeRun16(coded, pixels, 128, again.data(), nullptr)) || again != values) {
            __builtin_trap(); // the coding must round-trip whatever it was given
        }
    }
    std::vector<std::uint8_t> bytes(pixels);
    std::size_t produced = 0;
    if (Ok(DecodeRun8(stream, bytes.data(), bytes.size(), &produced))) {
        bytes.resize(produced);
        std::vector<std::uint8_t> coded;
        EncodeRun8(bytes, &coded);
        std::vector<std::uint8_t> again(produced);
        std::size_t againProduced = 0;
        if (!Ok(DecodeRun8(coded, again.data(), again.size(), &againProduced)) || again != bytes) {
            __builtin_trap();
        }
    }
    return 0;
}
