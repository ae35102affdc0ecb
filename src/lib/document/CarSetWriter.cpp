#include <algorithm>
#include <cstring>

#include "core/ByteOrder.h"
#include "core/Texts.h"
#include "document/CarSetChecksum.h"
#include "document/CarSetFile.h"
#include "document/LazyGraphics.h"
#include "document/PictureRecords.h"
#include "document/TeamDataSection.h"
#include "files/AtomicWrite.h"

namespace tavolex {
namespace {

constexpr std::uint8_t kHelmetFlag = 1;

// The flag a slot stores: the low byte of its source (helmets: 1 when present).
std::uint8_t FlagOf(const CarSet& carSet, PictureSection section, int slot, Variant variant) {
    if (section == PictureSection::Helmets) {
        return carSet.helmetFlags[static_cast<std::size_t>(VariantIndex(variant))] != 0 ? kHelmetFlag : 0;
    }
    const GraphicSlot* target = SlotOf(carSet, SectionLayout(section).kind, slot, variant);
    return target != nullptr ? static_cast<std::uint8_t>(static_cast<unsigned>(target->source) & 0xFF) : 0;
}

int SlotCount(PictureSection section) { return KindInfo(SectionLayout(section).kind).slotCount; }

bool Stored(std::uint8_t flag) { return flag != 0 && flag != 4; }

void SetDirectoryEntry(std::vector<std::uint8_t>& file, std::size_t entry, std::uint8_t count, std::size_t offset) {
    file[entry] = count;
    WriteU32(file.data() + entry + 1, static_cast<std::uint32_t>(offset));
}

class SectionWriter {
  public:
    SectionWriter(CarSet& carSet, const GraphicContext& environment, Progress* progress, int pictures,
                  std::vector<std::uint8_t>& file)
        : carSet_(carSet), environment_(environment), progress_(progress), pictures_(pictures), file_(file) {}

    Error write(PictureSection section) {
        const PictureSectionLayout& layout = SectionLayout(section);
        std::vector<std::uint8_t> flags(layout.flagBytes, 0);
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            for (int slot = 0; slot < SlotCount(section); ++slot) {
                if (std::uint8_t flag = FlagOf(carSet_, section, slot, variant)) {
                    flags[FlagIndex(section, slot, variant)] = flag;
                }
            }
        }
        const auto count =
            static_cast<std::uint8_t>(std::count_if(flags.begin(), flags.end(), [](std::uint8_t f) { return f != 0; }));
        if (count == 0) {
            return Error::None;
        }
        const std::size_t start = file_.size();
        SetDirectoryEntry(file_, layout.directoryEntry, count, start);
        file_.insert(file_.end(), flags.begin(), flags.end());
        file_.resize(file_.size() + 4 * layout.offsetEntries, 0);
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            bool headed = false;
            for (int slot = 0; slot < SlotCount(section); ++slot) {
                // Sections of one variant share their index between variants:
                // ask the slot itself, not the table.
                const std::uint8_t flag = FlagOf(carSet_, section, slot, variant);
                if (flag != 0 && !Stored(flag)) {
                    countItem(); // generated from the other variant: an item with nothing to store
                }
                if (!Stored(flag)) {
                    continue;
                }
                const std::size_t index = FlagIndex(section, slot, variant);
                if (!headed && progress_ != nullptr) {
                    progress_->setHeading(FormatText(TextId::HeadingCompressing, Text(KindName(section, variant))));
                    headed = true;
                }
                WriteU32(file_.data() + start + layout.flagBytes + 4 * index, static_cast<std::uint32_t>(file_.size()));
                if (Error error = appendPicture(section, slot, variant); !Ok(error)) {
                    return error;
                }
                countItem();
            }
        }
        return Error::None;
    }

  private:
    // Every slot with a picture is one item of the save, as counted before it.
    void countItem() {
        if (progress_ != nullptr) {
            progress_->step(1);
            progress_->setCounter(++counted_, pictures_);
        }
    }

    Error appendPicture(PictureSection section, int slot, Variant variant) {
        if (section == PictureSection::Helmets) {
            return AppendPictureRecord(section, variant,
                                       carSet_.helmetImages[static_cast<std::size_t>(VariantIndex(variant))], file_);
        }
        // Without repair and without messages: a picture that cannot be
        // fetched fails the save instead of silently going missing.
        PackedBitmap image;
        if (!Ok(FetchGraphic(carSet_, environment_, SectionLayout(section).kind, slot, variant, image, false,
                             nullptr)) ||
            image.empty()) {
            return Error::ReadFailed;
        }
        return AppendPictureRecord(section, variant, image, file_);
    }

    CarSet& carSet_;
    const GraphicContext& environment_;
    Progress* progress_;
    int pictures_; // the save's item count
    int counted_ = 0;
    std::vector<std::uint8_t>& file_;
};

int PicturesToStore(const CarSet& carSet) {
    int count = 0;
    for (PictureSection section : kSectionWriteOrder) {
        for (Variant variant : {Variant::Software, Variant::Hardware}) {
            for (int slot = 0; slot < SlotCount(section); ++slot) {
                count += FlagOf(carSet, section, slot, variant) != 0 ? 1 : 0;
            }
        }
    }
    return count;
}

} // namespace

Error EncodeCarSet(CarSet& carSet, const GraphicContext& environment, std::vector<std::uint8_t>& file,
                   Progress* progress) {
    std::vector<std::uint8_t> out(kCarSetHeaderSize, 0);
    std::memcpy(out.data(), kCarSetMagic.data(), kCarSetMagic.size());
    WriteU16(out.data() + kCarSetMagic.size(), kCarSetVersion110);

    SectionWriter sections(carSet, environment, progress, PicturesToStore(carSet), out);
    for (PictureSection section : kSectionWriteOrder) {
        if (Error error = sections.write(section); !Ok(error)) {
            return error;
        }
    }
    SetDirectoryEntry(out, kTeamDataEntry, 1, out.size());
    WriteTeamDataSection(carSet, out);
    if (carSet.hasInformation != 0) {
        SetDirectoryEntry(out, kInformationEntry, 1, out.size());
        const std::size_t length = std::min(carSet.information.size(), kInformationCapacity);
        out.push_back(1);
        const std::size_t at = out.size();
        out.resize(at + 4);
        WriteU32(out.data() + at, static_cast<std::uint32_t>(length));
        out.insert(out.end(), carSet.information.begin(),
                   carSet.information.begin() + static_cast<std::ptrdiff_t>(length));
    }
    const CarSetChecksums checksums = ComputeCarSetChecksums(out);
    for (std::uint16_t value : checksums) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    file = std::move(out);
    return Error::None;
}

Error SaveCarSet(CarSet& carSet, const std::filesystem::path& path, const GraphicContext& environment,
                 Progress* progress) {
    const int pictures = PicturesToStore(carSet);
    if (progress != nullptr && pictures > 0) {
        progress->begin(pictures);
        ShowProgressFile(progress, path.string());
    }
    std::vector<std::uint8_t> file;
    Error error = EncodeCarSet(carSet, environment, file, progress);
    // The old file is replaced only now: pictures were read from it up to here.
    if (Ok(error)) {
        error = WriteFileAtomically(path, file);
    }
    if (progress != nullptr && pictures > 0) {
        progress->end();
    }
    if (!Ok(error)) {
        return error;
    }
    MarkSlotsSaved(carSet);
    carSet.formatVersion = kCarSetVersion110;
    carSet.modified = false;
    return Error::None;
}

} // namespace tavolex
