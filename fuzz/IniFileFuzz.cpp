// INI text from users' settings and performance files.
#include <cstdint>
#include <string_view>

#include "formats/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavolex;
    IniFile ini = IniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    (void)ini.value("Setup", "GP3Dir");
    (void)ini.intValue("Setup", "Disclaimer", 111);
    ini.setValue("Setup", "Disclaimer", "110");
    ini.setValue("Directorys", "Open Car Set", "/x/");
    const std::string text = ini.serialize();
    if (IniFile::Parse(text).value("setup", "disclaimer") != "110") {
        __builtin_trap(); // a value just written must read back
    }
    return 0;
}
