#include "game/GameIdentity.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "core/ByteOrder.h"
#include "game/GameFiles.h"
#include "game/TeamTables.h"

namespace tavolex {
namespace fs = std::filesystem;

namespace {

bool PrintableAscii(std::uint8_t c) { return c >= 0x20 && c <= 0x7E; }
// Names are Windows-1252: control characters are what they may not hold.
bool PrintableName(std::uint8_t c) { return c >= 0x20 && c != 0x7F; }

// `count` fields of `size` bytes from `offset`, each printable text ended by a zero.
bool NameFieldsPlausible(std::span<const std::uint8_t> exe, std::size_t offset, std::size_t size, std::size_t count) {
    if (!FitsIn(exe.size(), offset, size * count)) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto field = exe.subspan(offset + size * i, size);
        const auto end = std::find(field.begin(), field.end(), 0);
        if (end == field.end() || !std::all_of(field.begin(), end, PrintableName)) {
            return false;
        }
    }
    return true;
}

template <std::size_t N> std::optional<std::array<std::uint8_t, N>> FromHex(std::string_view hex) {
    if (hex.size() != 2 * N) {
        return std::nullopt;
    }
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::array<std::uint8_t, N> bytes{};
    for (std::size_t i = 0; i < N; ++i) {
        const int high = digit(hex[2 * i]);
        const int low = digit(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    // Only a text of the game's form is worth remembering.
    if (!IsMarkedCreditText(bytes)) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

const char* IdentifiedByName(IdentifiedBy by) {
    switch (by) {
    case IdentifiedBy::Text: return "text";
    case IdentifiedBy::Contents: return "contents";
    case IdentifiedBy::None: break;
    }
    return nullptr;
}

bool IsMarkedCreditText(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == kCreditMark && std::all_of(bytes.begin() + 1, bytes.end(), PrintableAscii);
}

bool ExecutableTablesPlausible(std::span<const std::uint8_t> exe) {
    if (!NameFieldsPlausible(exe, exe_offsets::kDriverNames, 24, 2 * kTeamCount) ||
        !NameFieldsPlausible(exe, exe_offsets::kTeamNames, 13, kTeamCount) ||
        !NameFieldsPlausible(exe, exe_offsets::kEngineNames, 13, kTeamCount) ||
        !FitsIn(exe.size(), exe_offsets::kSelected, 2 * kTeamCount) ||
        !FitsIn(exe.size(), exe_offsets::kTyreTypes, 4 * kTeamCount)) {
        return false;
    }
    for (std::size_t i = 0; i < 2 * kTeamCount; ++i) {
        if ((exe[exe_offsets::kSelected + i] & 0x7F) != i + 1) {
            return false;
        }
    }
    for (std::size_t t = 0; t < kTeamCount; ++t) {
        const std::uint32_t tyre = ReadU32(exe.data() + exe_offsets::kTyreTypes + 4 * t);
        if (tyre != kTyreValue0 && tyre != kTyreValue1) {
            return false;
        }
    }
    return true;
}

ExeIdentity IdentifyGameExecutable(const GameFolder& game, const std::optional<ExeIdentificationText>& remembered) {
    ExeIdentity identity;
    if (game.empty()) {
        return identity;
    }
    const fs::path path = game.executable();
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return identity;
    }
    std::ifstream in(path, std::ios::binary);
    const auto size = fs::file_size(path, ec);
    if (!in || ec) {
        return identity;
    }
    const bool textRead = size > kExeIdentificationReadAbove;
    if (textRead) {
        in.seekg(static_cast<std::streamoff>(kExeIdentificationOffset));
        in.read(reinterpret_cast<char*>(identity.text.data()), static_cast<std::streamsize>(identity.text.size()));
        if (!in) {
            identity.text = {};
        }
    }
    in.close();
    if (size < kMinimumExeSize) {
        identity.status = ExeStatus::Unreadable;
        return identity;
    }
    if (identity.text == kExeIdentificationText || (remembered && identity.text == *remembered)) {
        identity.status = ExeStatus::Supported;
        identity.by = IdentifiedBy::Text;
        return identity;
    }
    if (textRead && IsMarkedCreditText(identity.text)) {
        std::vector<std::uint8_t> exe;
        if (Ok(ReadExecutable(game, exe)) && ExecutableTablesPlausible(exe)) {
            identity.status = ExeStatus::Supported;
            identity.by = IdentifiedBy::Contents;
            return identity;
        }
    }
    identity.status = size == kSupportedExeSize ? ExeStatus::Unreadable : ExeStatus::Unsupported;
    return identity;
}

bool HasBuiltInIdentification(std::span<const std::uint8_t> exe) {
    return FitsIn(exe.size(), kExeIdentificationOffset, kExeIdentificationText.size()) &&
           std::equal(kExeIdentificationText.begin(), kExeIdentificationText.end(),
                      exe.begin() + static_cast<std::ptrdiff_t>(kExeIdentificationOffset));
}

std::string IdentificationToHex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::uint8_t b : bytes) {
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 15]);
    }
    return hex;
}

std::optional<ExeIdentificationText> ExeIdentificationFromHex(std::string_view hex) {
    return FromHex<std::tuple_size_v<ExeIdentificationText>>(hex);
}

std::optional<ArtSignature> ArtSignatureFromHex(std::string_view hex) {
    return FromHex<std::tuple_size_v<ArtSignature>>(hex);
}

} // namespace tavolex
