#include "editing/CommandReports.h"

#include <vector>

#include "core/TextEncoding.h"

namespace tavolex {

std::string PictureName(const CarSet& carSet, GraphicKind kind, int slot) {
    std::string noun(KindNoun(kind));
    if (KindInfo(kind).slotCount != kTeamCount || slot < 0 || slot >= kTeamCount) {
        return noun;
    }
    return FormatText(TextId::ReportOwnedBy, {noun, Windows1252ToUtf8(carSet.teams[slot].teamName.view())});
}

std::string PictureReport(TextId report, const CarSet& carSet, GraphicKind kind, int slot,
                          const std::filesystem::path& file) {
    return NamedReport(report, PictureName(carSet, kind, slot), file);
}

std::string HelmetName(const CarSet& carSet, int helmet) {
    if (helmet < 0 || helmet >= kTeamCount * kDriversPerTeam) {
        return std::string(KindNoun(GraphicKind::Helmets));
    }
    const auto& driver = carSet.teams[static_cast<std::size_t>(helmet / kDriversPerTeam)]
                             .drivers[static_cast<std::size_t>(helmet % kDriversPerTeam)];
    return FormatText(TextId::ReportHelmetOf, Windows1252ToUtf8(driver.name.view()));
}

std::string PitBoxSignName(const CarSet& carSet, int team) {
    if (team < 0 || team >= kTeamCount) {
        return std::string(KindNoun(GraphicKind::PitBoxes));
    }
    return FormatText(TextId::ReportPitBoxSignOf,
                      Windows1252ToUtf8(carSet.teams[static_cast<std::size_t>(team)].teamName.view()));
}

std::string NamedReport(TextId report, std::string_view name, const std::filesystem::path& file) {
    return FormatText(report, {name, file.filename().string()});
}

std::string DataReport(TextId report, TextId what, const std::filesystem::path& file) {
    return FormatText(report, {Text(what), file.filename().string()});
}

std::string GeneratedReport(GraphicKind kind, Variant variant) {
    const TextId noun = variant == Variant::Software ? TextId::ReportSoftware : TextId::ReportHardware;
    return FormatText(TextId::ReportGenerated, {Text(noun), KindNoun(kind)});
}

std::string TransferReport(TextId verb, const TransferSummary& summary) {
    std::vector<std::string> parts;
    const bool anyData = summary.teamData || summary.settings || summary.numberPositions;
    // With nothing else done the count stays, "0 pictures", rather than an empty sentence.
    if (summary.pictures > 0 || !anyData) {
        parts.push_back(summary.pictures == 1 ? std::string(Text(TextId::ReportOnePicture))
                                              : FormatText(TextId::ReportPictures, std::to_string(summary.pictures)));
    }
    // With the teams' data, "the team data" speaks for the settings and the
    // positions as well (the whole transfer's short form); without it each is named.
    if (summary.teamData) {
        parts.emplace_back(Text(TextId::ReportTeamData));
    } else {
        if (summary.settings) {
            parts.emplace_back(Text(TextId::ReportSettings));
        }
        if (summary.numberPositions) {
            parts.emplace_back(Text(TextId::ReportCarNumbers));
        }
    }
    std::string list = parts.front();
    for (std::size_t part = 1; part < parts.size(); ++part) {
        const TextId join = part + 1 == parts.size() ? TextId::ReportListLast : TextId::ReportListNext;
        list = FormatText(join, {list, parts[part]});
    }
    return FormatText(verb, list);
}

} // namespace tavolex
