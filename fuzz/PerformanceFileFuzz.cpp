// Performance text files: any text reads or fails, and a failure changes nothing.
#include <cstdint>
#include <string_view>

#include "FuzzCarSet.h"
#include "teams/PerformanceFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    CarSet carSet = NewFuzzCarSet();
    const auto before = carSet.teams;
    if (!Ok(ReadPerformanceText(std::string_view(reinterpret_cast<const char*>(data), size), carSet)) &&
        carSet.teams != before) {
        __builtin_trap();
    }
    return 0;
}
