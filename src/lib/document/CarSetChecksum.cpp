#include "document/CarSetChecksum.h"

#include <algorithm>
#include <vector>

#include "core/RunningChecksum.h"
#include "document/CarSetFormat.h"

namespace tavolex {
namespace {

// Pass A over the last bytes, then pass B continuing over the first.
CarSetChecksums TwoPasses(std::span<const std::uint8_t> last, std::span<const std::uint8_t> first) {
    RunningChecksum running;
    running.add(last);
    CarSetChecksums result{running.sum, running.rot, 0, 0};
    running.add(first);
    result[2] = running.sum;
    result[3] = running.rot;
    return result;
}

} // namespace

CarSetChecksums ComputeCarSetChecksums(std::span<const std::uint8_t> body) {
    const std::size_t n = std::min(body.size(), kChecksumWindow);
    return TwoPasses(body.subspan(body.size() - n, n), body.subspan(0, n));
}

Error ComputeCarSetChecksums(ByteSource& file, CarSetChecksums& checksums) {
    if (file.size() < kCarSetTrailerSize) {
        return Error::StreamTruncated;
    }
    const std::uint64_t length = file.size() - kCarSetTrailerSize;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(length, kChecksumWindow));
    std::vector<std::uint8_t> last(n);
    std::vector<std::uint8_t> first(n);
    if (!file.read(length - n, n, last.data()) || !file.read(0, n, first.data())) {
        return Error::StreamTruncated;
    }
    checksums = TwoPasses(last, first);
    return Error::None;
}

} // namespace tavolex
