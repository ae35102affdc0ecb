#include "document/DisplayTexts.h"

#include <filesystem>

#include "core/Texts.h"
#include "files/FileHelpers.h"

namespace tavolex {

std::string DisplayName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string WindowTitle(const CarSet& carSet) {
    const std::string name = carSet.untitled() ? "....." : DisplayName(carSet.path);
    return "Tavolex v1.10 - [ " + name + " ]" + (carSet.modified ? "*" : "");
}

std::string TeamButtonLabel(const TeamRecord& team) {
    const std::string_view name = team.teamName.view();
    const std::string_view engine = team.engineName.view();
    if (!name.empty() && !engine.empty()) {
        return " " + std::string(name) + " - " + std::string(engine);
    }
    if (!name.empty() || !engine.empty()) {
        return " " + std::string(name.empty() ? engine : name);
    }
    return {};
}

std::string UnsavedChangesQuestion(const CarSet& carSet) {
    if (carSet.untitled()) {
        return std::string(Text(TextId::SaveChangesToCarSet));
    }
    return FormatText(TextId::SaveChangesToNamed, ToUpperAscii(DisplayName(carSet.path)));
}

} // namespace tavolex
