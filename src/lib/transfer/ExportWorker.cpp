#include "transfer/ExportWorker.h"

#include <deque>
#include <vector>

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

    Failure run() {
        if (Failure failure = exportData()) {
            return failure;
        }
        for (const GraphicItemRun& run : GraphicItemRuns()) {
            if (Failure failure = exportRun(run)) {
                return failure;
            }
            // The positions follow the cars they belong to.
            if (run.first == item::kCarHardware) {
                if (Failure failure = exportNumberPositions()) {
                    return failure;
                }
            }
        }
        return std::nullopt;
    }

    const TransferSummary& summary() const { return summary_; }

  private:
    // The team data and the settings patch GP3.EXE up to three times and the
    // save file twice; each is written once, before any picture, so a game
    // whose executable cannot be written gets nothing else either. The
    // steps reach the disk in their order: the save file, GP3.EXE, then the
    // language files, so a failing step leaves every later one unapplied.
    [[nodiscard]] Failure exportData() {
        const bool misc = selection_.has(item::kMiscSettings);
        if (misc && !Ok(CheckLevelNames(EveryLevelName(working_.misc.levelNames)))) {
            return TextId::FailedToPatchGame;
        }
        bool exported = true;
        {
            GameFileBatch gameFiles(game_);
            if (const std::uint32_t mask = TeamDataMask(selection_); mask != 0) {
                exported = Ok(ExportTeamData(game_, status_, mask, working_));
            }
            if (exported && misc) {
                exported = Ok(ExportMiscTables(game_, status_, working_.misc));
            }
            // What was patched before a failure is written all the same, as one by one it would have been.
            if (!Ok(gameFiles.write()) || !exported) {
                return TextId::FailedToPatchGame;
            }
        }
        if (misc && !Ok(WriteGameLevelNames(game_, EveryLevelName(working_.misc.levelNames)))) {
            return TextId::FailedToPatchGame;
        }
        summary_.teamData = TeamDataMask(selection_) != 0;
        summary_.settings = misc;
        return std::nullopt;
    }

    [[nodiscard]] Failure exportRun(const GraphicItemRun& run) {
        if (!AnySelected(selection_, run.first, run.count)) {
            return std::nullopt;
        }
        // Helmets and pit boxes count only while there is a picture to write.
        const bool onlyPresent = run.kind == GraphicKind::Helmets || run.kind == GraphicKind::PitBoxes;
        if (onlyPresent && SourceOf(working_, run.kind, 0, run.variant) == GraphicSource::None) {
            return std::nullopt;
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
            const Failure failure =
                run.kind == GraphicKind::MenuArtwork ? fetchArt(slot) : exportPicture(run.kind, slot, run.variant);
            if (failure) {
                // The teams before the failing one, as one by one they would have been; the
                // failure reported is the earlier one.
                (void)writeArt();
                return failure;
            }
        }
        return writeArt();
    }

    // The slot's own picture, as the car set holds it; `picture` stays empty
    // where there is nothing to write (an empty slot, or the game's own).
    Failure fetchOwnPicture(GraphicKind kind, int slot, Variant variant, PackedBitmap& picture) {
        picture.clear();
        const GraphicSource source = SourceOf(working_, kind, slot, variant);
        if (source == GraphicSource::None || source == GraphicSource::Game) {
            return std::nullopt;
        }
        if (!FetchGraphic(working_, environment_, kind, slot, variant, picture, false, nullptr) || picture.empty()) {
            return DeclarationOf(kind).gameWriteFailure;
        }
        return std::nullopt;
    }

    // The one way a page's Export button, this worker and the command line
    // put a picture into the game.
    Failure exportPicture(GraphicKind kind, int slot, Variant variant) {
        PackedBitmap picture;
        if (Failure failure = fetchOwnPicture(kind, slot, variant, picture)) {
            return failure;
        }
        if (picture.empty()) {
            return std::nullopt;
        }
        const Failure failure = ExportGraphic(environment_, kind, slot, variant, picture);
        summary_.pictures += failure ? 0 : 1;
        return failure;
    }

    // The art of every selected team goes into the archive in one rewrite:
    // the archive is large, and team by team it would be read and written
    // eleven times.
    [[nodiscard]] Failure fetchArt(int team) {
        PackedBitmap& sheet = artSheets_.emplace_back();
        const Failure failure = fetchOwnPicture(GraphicKind::MenuArtwork, team, Variant::Hardware, sheet);
        if (failure || sheet.empty()) {
            artSheets_.pop_back();
            return failure;
        }
        artTeams_.push_back({team, &sheet});
        return std::nullopt;
    }

    [[nodiscard]] Failure writeArt() {
        const bool written = artTeams_.empty() || Ok(ExportTeamArts(game_.artArchive(), artTeams_));
        summary_.pictures += written ? static_cast<int>(artTeams_.size()) : 0;
        artTeams_.clear();
        artSheets_.clear();
        return written ? std::nullopt : Failure(TextId::FailedToPatchArt);
    }

    Failure exportNumberPositions() {
        if (!selection_.has(item::kCarNumberPositions)) {
            return std::nullopt;
        }
        std::vector<int> teams;
        for (int team = 0; team < kTeamCount; ++team) {
            if (CarSelectedWithPicture(working_, selection_, team)) {
                teams.push_back(team);
            }
        }
        if (teams.empty()) {
            return std::nullopt;
        }
        if (Failure failure = ExportNumberPositions(game_, status_, working_, teams)) {
            return failure;
        }
        summary_.numberPositions = true;
        return std::nullopt;
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

Failure ExportToGame(const CarSet& carSet, const GraphicEnvironment& environment, ExeStatus status,
                     const SelectionRecord& selection, Progress* progress, TransferSummary* summary) {
    // The archive is checked (and expanded once) before anything is written,
    // so a foreign or missing archive leaves every game file untouched.
    if (AnySelected(selection, item::kArtwork, kTeamCount) &&
        !Ok(CheckAndExpandArtArchive(GameFolder(environment.gameFolder).artArchive()))) {
        return TextId::FailedToPatchArt;
    }
    const int pictures = ExportPictureCount(selection);
    const bool anyData = AnySelected(selection, item::kFirstData, item::kLastData - item::kFirstData + 1);
    if (pictures == 0 && !anyData) {
        return TextId::NothingToExport;
    }
    const ProgressRun progressRun(progress, pictures);
    const FolderSyncBatch folderSyncs; // a hundred files in a few folders
    Exporter exporter(carSet, environment, status, selection, progressRun.get());
    const Failure failure = exporter.run();
    if (summary != nullptr) {
        *summary = exporter.summary();
    }
    return failure;
}

} // namespace tavolex
