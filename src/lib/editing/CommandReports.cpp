#include "editing/CommandReports.h"

#include "core/TextEncoding.h"

namespace tavolex {

std::string PictureName(const CarSet& carSet, GraphicKind kind, int slot) {
    const std::string noun(KindNoun(kind));
    if (KindInfo(kind).slotCount != kTeamCount || slot < 0 || slot >= kTeamCount) {
        return noun;
    }
    return FormatText(TextId::ReportOwnedBy, {noun, Windows1252ToUtf8(carSet.teams[slot].teamName.view())});
}

std::string PictureReport(TextId report, const CarSet& carSet, GraphicKind kind, int slot,
                          const std::filesystem::path& file) {
    return FormatText(report, {PictureName(carSet, kind, slot), file.filename().string()});
}

std::string DataReport(TextId report, TextId what, const std::filesystem::path& file) {
    return FormatText(report, {Text(what), file.filename().string()});
}

std::string GeneratedReport(GraphicKind kind, Variant variant) {
    return FormatText(TextId::ReportGenerated, {variant == Variant::Software ? "software" : "hardware", KindNoun(kind)});
}

std::string TransferReport(TextId verb, const TransferSummary& summary) {
    const std::string pictures = summary.pictures == 1
                                     ? std::string(Text(TextId::ReportOnePicture))
                                     : FormatText(TextId::ReportPictures, std::to_string(summary.pictures));
    if (!summary.teamData) {
        return FormatText(verb, pictures);
    }
    return FormatText(verb, summary.pictures == 0 ? std::string(Text(TextId::ReportTeamData))
                                                  : FormatText(TextId::ReportPicturesAndTeamData, pictures));
}

} // namespace tavolex
