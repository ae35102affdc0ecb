#include "formats/PaletteConversion.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "formats/GamePalette.h"

namespace tavolex {
namespace {

constexpr int kStartDistance = 32767;

void ClampRange(int& first, int& end) {
    first = std::clamp(first, 0, 256);
    end = std::clamp(end, first, 256);
}

int Distance(const PaletteColour& c, int red, int green, int blue) {
    return std::abs(red - c.red) + std::abs(green - c.green) + std::abs(blue - c.blue);
}

// The colour cube is cut into 32 x 32 x 32 cells; each cell lists, in index order, only the
// candidates that can be nearest to some colour inside it. Searching that
// short list in index order gives exactly the answer of the full search,
// first-smallest rule included, because no candidate left out can even tie.
class PaletteSearch {
  public:
    static constexpr int kCellBits = 3;
    static constexpr int kCellsPerAxis = 256 >> kCellBits;
    static constexpr int kCellCount = kCellsPerAxis * kCellsPerAxis * kCellsPerAxis;

    PaletteSearch(int first, int end) : first_(first) {
        offsets_.reserve(kCellCount + 1);
        for (int cell = 0; cell < kCellCount; ++cell) {
            offsets_.push_back(static_cast<std::uint32_t>(candidates_.size()));
            AddCell(cell, first, end);
        }
        offsets_.push_back(static_cast<std::uint32_t>(candidates_.size()));
    }

    std::uint8_t nearest(int red, int green, int blue) const {
        const int cell =
            ((red >> kCellBits) * kCellsPerAxis + (green >> kCellBits)) * kCellsPerAxis + (blue >> kCellBits);
        int best = kStartDistance;
        std::uint8_t bestIndex = static_cast<std::uint8_t>(first_);
        for (std::uint32_t i = offsets_[cell]; i < offsets_[cell + 1]; ++i) {
            const std::uint8_t j = candidates_[i];
            const int distance = Distance(GamePalette[j], red, green, blue);
            if (distance < best) {
                best = distance;
                bestIndex = j;
                if (distance == 0) {
                    break;
                }
            }
        }
        return bestIndex;
    }

  private:
    void AddCell(int cell, int first, int end) {
        constexpr int kSize = 1 << kCellBits;
        const int lowBlue = (cell % kCellsPerAxis) * kSize;
        const int lowGreen = (cell / kCellsPerAxis % kCellsPerAxis) * kSize;
        const int lowRed = (cell / (kCellsPerAxis * kCellsPerAxis)) * kSize;
        auto axisMin = [](int value, int low) {
            return value < low ? low - value : (value > low + kSize - 1 ? value - low - kSize + 1 : 0);
        };
        auto axisMax = [](int value, int low) {
            return std::max(std::abs(value - low), std::abs(value - (low + kSize - 1)));
        };
        int threshold = kStartDistance;
        for (int j = first; j < end; ++j) {
            const PaletteColour& c = GamePalette[j];
            threshold =
                std::min(threshold, axisMax(c.red, lowRed) + axisMax(c.green, lowGreen) + axisMax(c.blue, lowBlue));
        }
        for (int j = first; j < end; ++j) {
            const PaletteColour& c = GamePalette[j];
            if (axisMin(c.red, lowRed) + axisMin(c.green, lowGreen) + axisMin(c.blue, lowBlue) <= threshold) {
                candidates_.push_back(static_cast<std::uint8_t>(j));
            }
        }
    }

    int first_;
    std::vector<std::uint32_t> offsets_;
    std::vector<std::uint8_t> candidates_;
};

// Built once per range on first use; the programs use only a handful of ranges.
const PaletteSearch& SearchFor(int first, int end) {
    static std::mutex mutex;
    static std::map<std::pair<int, int>, std::unique_ptr<PaletteSearch>> searches;
    std::lock_guard lock(mutex);
    auto& slot = searches[{first, end}];
    if (!slot) {
        slot = std::make_unique<PaletteSearch>(first, end);
    }
    return *slot;
}

} // namespace

std::uint8_t NearestPaletteIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int first, int end) {
    ClampRange(first, end);
    int best = kStartDistance;
    std::uint8_t bestIndex = static_cast<std::uint8_t>(first);
    for (int j = first; j < end; ++j) {
        const int distance = Distance(GamePalette[j], red, green, blue);
        if (distance < best) {
            best = distance;
            bestIndex = static_cast<std::uint8_t>(j);
            if (distance == 0) {
                break;
            }
        }
    }
    return bestIndex;
}

Error ReduceToPalette(const PackedBitmap& source, PackedBitmap& destination, int first, int end) {
    if (source.empty() || source.depth() != Depth::Bits24) {
        return Error::ConversionFailed;
    }
    ClampRange(first, end);
    const PaletteSearch& search = SearchFor(first, end);
    PackedBitmap result(source.width(), source.height(), Depth::Bits8);
    for (int r = 0; r < source.height(); ++r) {
        const std::uint8_t* in = source.row(r);
        std::uint8_t* out = result.row(r);
        // Neighbouring pixels often repeat; remembering the last answer skips the search.
        int lastKey = -1;
        std::uint8_t lastIndex = 0;
        for (int x = 0; x < source.width(); ++x, in += 3) {
            const int key = in[0] | (in[1] << 8) | (in[2] << 16);
            if (key != lastKey) {
                lastKey = key;
                lastIndex = search.nearest(in[2], in[1], in[0]);
            }
            out[x] = lastIndex;
        }
    }
    destination = std::move(result);
    return Error::None;
}

Error ExpandFromPalette(const PackedBitmap& source, PackedBitmap& destination) {
    if (source.empty() || source.depth() != Depth::Bits8) {
        return Error::ConversionFailed;
    }
    PackedBitmap result(source.width(), source.height(), Depth::Bits24);
    const std::uint8_t* palette = source.palette();
    for (int r = 0; r < source.height(); ++r) {
        const std::uint8_t* in = source.row(r);
        std::uint8_t* out = result.row(r);
        for (int x = 0; x < source.width(); ++x, out += 3) {
            const std::uint8_t* entry = palette + 4 * in[x];
            out[0] = entry[0];
            out[1] = entry[1];
            out[2] = entry[2];
        }
    }
    destination = std::move(result);
    return Error::None;
}

} // namespace tavolex
