#include "transfer/ExportWorker.h"

#include <deque>
#include <vector>

#include "core/Texts.h"
#include "document/LazyGraphics.h"
#include "editing/GraphicCommands.h"
#include "editing/NumberFields.h"
#include "files/AtomicWrite.h"
#include "game/GameFiles.h"
#include "game/GraphicEnvironment.h"
#include "game/MenuArtArchive.h"
#include "gamesettings/MiscSettingsExchange.h"

namespace tavolex {
namespace {

constexpr const char* kArtArchiveName = "GP3ART5.BIN";

// Ends the progress however the export ends.
class ProgressRun {
  public:
    ProgressRun(Progress* progress, int items) : progress_(items > 0 ? progress : nullptr) {
        if (progress_ != nullptr) {
            progress_->begin(items);
        }
    }
    ~ProgressRun() {
        if (progress_ != nullptr) {
            progress_->end();
        }
    }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;
    Progress* get() const { return progress_; }

  private:
    Progress* progress_;
};

// A picture's write that failed: the art goes into its archive, every other kind into a texture file.
Error NotPatched(GraphicKind kind) {
    return kind == GraphicKind::MenuArtwork ? Error::ArtArchiveNotPatched : Error::TextureNotPatched;
}

bool AnySelected(const SelectionRecord& selection, int first, int count) {
    for (int id = first; id < first + count; ++id) {
        if (selection.has(id)) {
            return true;
        }
    }
    return false;
}

class Exporter {
  public:
    Exporter(const CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
             const SelectionRecord& selection, Progress* progress)
        : working_(carSet), environment_(environment), game_(environment.gameFolder), status_(status),
          selection_(selection), progress_(progress) {
        // The progress window names each texture file as it is patched.
        environment_.progress = progress;
        // Fetching may cache a generated picture in its slot; that happens to
        // this copy, which nobody watches, never to the user's car set.
        working_.onModified = nullptr;
    }

    Error run() {
        if (Error error = exportData(); !Ok(error)) {
            return error;
        }
        for (const GraphicItemRun& run : GraphicItemRuns()) {
            if (Error error = exportRun(run); !Ok(error)) {
                return error;
            }
            // The positions follow the cars they belong to.
            if (run.first == item::kCarHardware) {
                if (Error error = exportNumberPositions(); !Ok(error)) {
                    return error;
                }
            }
        }
        return Error::None;
    }

    const TransferSummary& summary() const { return summary_; }

  private:
    // The team data and the settings patch GP3.EXE up to three times and the
    // save file twice; each is written once, before any picture, so a game
    // whose executable cannot be written gets nothing else either. The
    // steps reach the disk in their order: the save file, GP3.EXE, then the
    // language files, so a failing step leaves every later one unapplied.
    [[nodiscard]] Error exportData() {
        const bool misc = selection_.has(item::kMiscSettings);
        if (misc) {
            if (Error error = CheckLevelNames(EveryLevelName(working_.misc.levelNames)); !Ok(error)) {
                return error;
            }
        }
        Error exported = Error::None;
        {
            GameFileBatch gameFiles(game_);
            if (const std::uint32_t mask = TeamDataMask(selection_); mask != 0) {
                exported = ExportTeamData(game_, status_, mask, working_);
            }
            if (Ok(exported) && misc) {
                exported = ExportMiscTables(game_, status_, working_.misc);
            }
            // What was patched before a failure is written all the same, as one by one it would have been.
            if (Error written = gameFiles.write(); !Ok(written)) {
                return written;
            }
            if (!Ok(exported)) {
                return exported;
            }
        }
        if (misc) {
            if (Error error = WriteGameLevelNames(game_, EveryLevelName(working_.misc.levelNames)); !Ok(error)) {
                return error;
            }
        }
        summary_.teamData = TeamDataMask(selection_) != 0;
        summary_.settings = misc;
        return Error::None;
    }

    [[nodiscard]] Error exportRun(const GraphicItemRun& run) {
        if (!AnySelected(selection_, run.first, run.count)) {
            return Error::None;
        }
        // Helmets and pit boxes count only while there is a picture to write.
        const bool onlyPresent = run.kind == GraphicKind::Helmets || run.kind == GraphicKind::PitBoxes;
        if (onlyPresent && SourceOf(working_, run.kind, 0, run.variant) == GraphicSource::None) {
            return Error::None;
        }
        if (progress_ != nullptr) {
            progress_->setHeading(FormatText(TextId::HeadingExporting, Text(run.progressText)));
            if (run.kind == GraphicKind::MenuArtwork) {
                progress_->setFile(kArtArchiveName);
            }
        }
        for (int slot = 0; slot < run.count; ++slot) {
            if (!selection_.has(run.first + slot)) {
                continue;
            }
            // Which of the kind's pictures this is ("005/011" for team 5's art).
            SetProgressCounter(progress_, slot + 1, run.count);
            if (progress_ != nullptr) {
                progress_->step(1);
            }
            const Error error =
                run.kind == GraphicKind::MenuArtwork ? fetchArt(slot) : exportPicture(run.kind, slot, run.variant);
            if (!Ok(error)) {
                // The teams before the failing one, as one by one they would have been; the
                // failure reported is the earlier one.
                (void)writeArt();
                return error;
            }
        }
        return writeArt();
    }

    // The slot's own picture, as the car set holds it; `picture` stays empty
    // where there is nothing to write (an empty slot, or the game's own).
    // A picture that cannot be fetched fails as its write would.
    Error fetchOwnPicture(GraphicKind kind, int slot, Variant variant, PackedBitmap& picture) {
        picture.clear();
        const GraphicSource source = SourceOf(working_, kind, slot, variant);
        if (source == GraphicSource::None || source == GraphicSource::Game) {
            return Error::None;
        }
        if (!Ok(FetchGraphic(working_, environment_, kind, slot, variant, picture, false, nullptr)) ||
            picture.empty()) {
            return NotPatched(kind);
        }
        return Error::None;
    }

    // The one way a page's Export button, this worker and the command line
    // put a picture into the game.
    Error exportPicture(GraphicKind kind, int slot, Variant variant) {
        PackedBitmap picture;
        if (Error error = fetchOwnPicture(kind, slot, variant, picture); !Ok(error)) {
            return error;
        }
        if (picture.empty()) {
            return Error::None;
        }
        if (!Ok(ExportGraphic(environment_, kind, slot, variant, picture))) {
            return NotPatched(kind);
        }
        ++summary_.pictures;
        return Error::None;
    }

    // The art of every selected team goes into the archive in one rewrite:
    // the archive is large, and team by team it would be read and written
    // eleven times.
    [[nodiscard]] Error fetchArt(int team) {
        PackedBitmap& sheet = artSheets_.emplace_back();
        const Error error = fetchOwnPicture(GraphicKind::MenuArtwork, team, Variant::Hardware, sheet);
        if (!Ok(error) || sheet.empty()) {
            artSheets_.pop_back();
            return error;
        }
        artTeams_.push_back({team, &sheet});
        return Error::None;
    }

    [[nodiscard]] Error writeArt() {
        const bool written = artTeams_.empty() || Ok(ExportTeamArts(game_.artArchive(), artTeams_));
        summary_.pictures += written ? static_cast<int>(artTeams_.size()) : 0;
        artTeams_.clear();
        artSheets_.clear();
        return written ? Error::None : Error::ArtArchiveNotPatched;
    }

    Error exportNumberPositions() {
        if (!selection_.has(item::kCarNumberPositions)) {
            return Error::None;
        }
        std::vector<int> teams;
        for (int team = 0; team < kTeamCount; ++team) {
            if (CarSelectedWithPicture(working_, selection_, team)) {
                teams.push_back(team);
            }
        }
        if (teams.empty()) {
            return Error::None;
        }
        if (Error error = ExportNumberPositions(game_, status_, working_, teams); !Ok(error)) {
            return error;
        }
        summary_.numberPositions = true;
        return Error::None;
    }

    TransferSummary summary_;
    CarSet working_;
    GraphicEnvironment environment_;
    GameFolder game_;
    ExeStatus status_;
    const SelectionRecord& selection_;
    Progress* progress_;
    std::deque<PackedBitmap> artSheets_; // a deque: the sheets stay where they are as it grows
    std::vector<TeamArtSheet> artTeams_; // the fetched teams and their sheets
};

// How many progress items an export of `selection` counts: one per selected picture.
int ExportPictureCount(const SelectionRecord& selection) {
    int count = 0;
    for (const GraphicItemRun& run : GraphicItemRuns()) {
        for (int slot = 0; slot < run.count; ++slot) {
            count += selection.has(run.first + slot) ? 1 : 0;
        }
    }
    return count;
}

} // namespace

Error ExportToGame(const CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                   const SelectionRecord& selection, Progress* progress, TransferSummary* summary) {
    // The archive is checked (and expanded once) before anything is written,
    // so a foreign or missing archive leaves every game file untouched.
    if (AnySelected(selection, item::kArtwork, kTeamCount) &&
        !Ok(CheckAndExpandArtArchive(GameFolder(environment.gameFolder).artArchive()))) {
        return Error::ArtArchiveNotPatched;
    }
    const int pictures = ExportPictureCount(selection);
    const bool anyData = AnySelected(selection, item::kFirstData, item::kLastData - item::kFirstData + 1);
    if (pictures == 0 && !anyData) {
        return Error::NothingToExport;
    }
    const ProgressRun progressRun(progress, pictures);
    const FolderSyncBatch folderSyncs; // a hundred files in a few folders
    Exporter exporter(carSet, environment, status, selection, progressRun.get());
    const Error error = exporter.run();
    if (summary != nullptr) {
        *summary = exporter.summary();
    }
    return error;
}

} // namespace tavolex
