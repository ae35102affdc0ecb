#include "document/InformationFile.h"

#include <vector>

#include "files/AtomicWrite.h"
#include "formats/BitmapFile.h"

namespace tavolex {

Error ReadTextFile(const std::filesystem::path& path, std::string& text, std::size_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    if (Error error = ReadFilePrefix(path, maxBytes, bytes); !Ok(error)) {
        return error;
    }
    std::string content(bytes.begin(), bytes.end());
    // The text box ends at the first zero, as a zero-terminated buffer would.
    if (auto zero = content.find('\0'); zero != std::string::npos) {
        content.resize(zero);
    }
    text = std::move(content);
    return Error::None;
}

Error WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return WriteFileAtomically(path, bytes);
}

} // namespace tavolex
