#include "document/CarSetFormat.h"

namespace tavolex {
namespace {

constexpr std::array<PictureSectionLayout, 8> kLayouts = {{
    {PictureSection::CarLiveries, 25, 44, 44, false, GraphicKind::CarLivery},
    {PictureSection::Helmets, 30, 4, 4, false, GraphicKind::Helmets},
    {PictureSection::Cockpits, 35, 44, 44, false, GraphicKind::Cockpit},
    {PictureSection::PitCrews, 40, 44, 44, false, GraphicKind::PitCrew},
    {PictureSection::Artwork, 50, 22, 22, false, GraphicKind::MenuArtwork},
    {PictureSection::Tyres, 55, 4, 4, false, GraphicKind::Tyre},
    {PictureSection::PitBoxes, 65, 4, 4, true, GraphicKind::PitBoxes},
    {PictureSection::Treads, 70, 2, 2, true, GraphicKind::Tread},
}};

} // namespace

const PictureSectionLayout& SectionLayout(PictureSection section) {
    return kLayouts[static_cast<std::size_t>(section)];
}

PictureSection SectionOf(GraphicKind kind) {
    for (const PictureSectionLayout& layout : kLayouts) {
        if (layout.kind == kind) {
            return layout.section;
        }
    }
    return PictureSection::CarLiveries;
}

std::size_t FlagIndex(PictureSection section, int slot, Variant variant) {
    const auto s = static_cast<std::size_t>(slot);
    const auto v = static_cast<std::size_t>(VariantIndex(variant));
    switch (section) {
    case PictureSection::CarLiveries:
    case PictureSection::Cockpits:
    case PictureSection::PitCrews: return 22 * v + s;
    case PictureSection::Helmets:
    case PictureSection::PitBoxes: return 2 * v;
    case PictureSection::Tyres: return 2 * v + s;
    case PictureSection::Treads:
    case PictureSection::Artwork: return s;
    }
    return 0;
}

PictureShape ShapeOf(PictureSection section, Variant variant) {
    const GraphicKindInfo& info = KindInfo(SectionLayout(section).kind);
    const int v = VariantIndex(variant);
    const bool colourOnly = section == PictureSection::Treads || section == PictureSection::Artwork;
    return PictureShape{info.width[v], info.height[v], colourOnly || variant == Variant::Hardware};
}

TextId KindName(PictureSection section, Variant variant) {
    const bool software = variant == Variant::Software;
    switch (section) {
    case PictureSection::CarLiveries: return software ? TextId::KindSoftwareCars : TextId::KindHardwareCars;
    case PictureSection::Helmets: return software ? TextId::KindSoftwareHelmets : TextId::KindHardwareHelmets;
    case PictureSection::Cockpits: return software ? TextId::KindSoftwareCockpits : TextId::KindHardwareCockpits;
    case PictureSection::PitCrews: return software ? TextId::KindSoftwarePitCrew : TextId::KindHardwarePitCrew;
    case PictureSection::Artwork: return TextId::KindMenuArt;
    case PictureSection::Tyres: return TextId::KindTyres;
    case PictureSection::PitBoxes: return software ? TextId::KindSoftwarePitBoxes : TextId::KindHardwarePitBoxes;
    case PictureSection::Treads: return TextId::KindHardwareTreads;
    }
    return TextId::KindSoftwareCars;
}

TextId LoadErrorText(Error error) {
    switch (error) {
    case Error::NotACarSet: return TextId::NotATavolexCarSet;
    case Error::CarSetCorrupt: return TextId::FileIsCorrupt;
    case Error::NewerCarSetVersion: return TextId::NeedsNewerVersion;
    default: return TextId::CouldntOpenCarSet;
    }
}

} // namespace tavolex
