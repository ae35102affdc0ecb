#include "preview/CarSetPreview.h"

#include <array>
#include <string_view>

#include "core/TextEncoding.h"
#include "core/Texts.h"
#include "document/HelmetPicture.h"
#include "editing/ArtworkDisplay.h"
#include "editing/PitLane.h"
#include "formats/ArtSheetBitmap.h"
#include "formats/PngFile.h"
#include "game/GraphicEnvironment.h"
#include "preview/BitmapFont.h"
#include "preview/PreviewStyle.h"
#include "preview/ShownPicture.h"

namespace tavolex {
namespace {

// The layout, in units (one pixel at the natural width).
constexpr int kMargin = 6;
constexpr int kGap = 6;
constexpr int kRowHeight = 128;
constexpr int kRowPitch = kRowHeight + kGap;
constexpr int kTitleSize = 2;
constexpr int kHeaderTop = kMargin + kTitleSize * kLineHeight + kGap;
constexpr int kRowsTop = kHeaderTop + kLineHeight + 4;
constexpr int kOneTeamScale = 2;

enum Column { Names, Car, Cockpit, Helmets, Crew, Logo, Badge, PitBox, kColumnCount };
constexpr std::array<int, kColumnCount> kColumnWidths = {168, 86, 128, 128, 44, 120, 115, 256};
constexpr std::array<TextId, kColumnCount> kColumnNames = {
    TextId::PreviewTeamColumn,    TextId::PreviewCarColumn,  TextId::PreviewCockpitColumn, TextId::PreviewHelmetsColumn,
    TextId::PreviewPitCrewColumn, TextId::PreviewLogoColumn, TextId::PreviewBadgeColumn,   TextId::PreviewPitBoxColumn};

constexpr int ColumnLeft(int column) {
    int x = kMargin;
    for (int c = 0; c < column; ++c) {
        x += kColumnWidths[static_cast<std::size_t>(c)] + kGap;
    }
    return x;
}
constexpr int kUnitWidth = ColumnLeft(kColumnCount) - kGap + kMargin;

// Below the team rows: the tyres (a sheet and a tread per type) and the pit lane.
constexpr int kTyreSheetWidth = 68;
constexpr int kTreadWidth = 82;
constexpr int kPitPictureHeight = 176;
constexpr int kPitLaneLines = 6;

int TeamRowsBottom(int rows) { return kRowsTop + rows * kRowPitch; }
int TyreRowTop() { return TeamRowsBottom(kTeamCount) + kLineHeight + 4; }
int PitLaneTop() { return TyreRowTop() + kRowPitch + kLineHeight + 4; }
int UnitHeight(bool oneTeam) {
    return oneTeam ? TeamRowsBottom(1) + kMargin - kGap : PitLaneTop() + kPitPictureHeight + kMargin;
}

PreviewBox Cell(int column, int top) {
    return {ColumnLeft(column), top, kColumnWidths[static_cast<std::size_t>(column)], kRowHeight};
}

std::string NumberedName(int number, std::string_view name) {
    return "#" + std::to_string(number) + " " + std::string(name);
}

// The pictures every team row shares: the helmets picture and the pit boxes.
struct SharedPictures {
    PackedBitmap helmets;
    PackedBitmap pitBoxes;
    PitPositions positions{};
};

class PreviewPainter {
  public:
    PreviewPainter(CarSet& carSet, const GraphicEnvironment& environment, PreviewCanvas& canvas)
        : carSet_(carSet), environment_(environment), canvas_(canvas) {}

    Error draw(const PreviewOptions& options) {
        if (Error error = fetchShared(); !Ok(error)) {
            return error;
        }
        canvas_.text(kMargin, kMargin, CarSetTitle(carSet_), kPreviewText, kUnitWidth - kMargin, kTitleSize);
        for (int c = 0; c < kColumnCount; ++c) {
            canvas_.text(ColumnLeft(c), kHeaderTop, Text(kColumnNames[static_cast<std::size_t>(c)]), kPreviewDimText,
                         ColumnLeft(c) + kColumnWidths[static_cast<std::size_t>(c)]);
        }
        if (options.team) {
            return drawTeam(*options.team, kRowsTop);
        }
        for (int team = 0; team < kTeamCount; ++team) {
            if (Error error = drawTeam(team, kRowsTop + team * kRowPitch); !Ok(error)) {
                return error;
            }
        }
        if (Error error = drawTyres(); !Ok(error)) {
            return error;
        }
        drawPitLane();
        return Error::None;
    }

  private:
    Error fetchShared() {
        if (Error error = FetchShownPicture(carSet_, environment_, GraphicKind::Helmets, 0, shared_.helmets);
            !Ok(error)) {
            return error;
        }
        if (Error error = FetchShownPicture(carSet_, environment_, GraphicKind::PitBoxes, 0, shared_.pitBoxes);
            !Ok(error)) {
            return error;
        }
        shared_.positions = PitPositionsOf(carSet_);
        return Error::None;
    }

    Error drawSlot(GraphicKind kind, int slot, const PreviewBox& box) {
        PackedBitmap image;
        if (Error error = FetchShownPicture(carSet_, environment_, kind, slot, image); !Ok(error)) {
            return error;
        }
        DrawPictureOrPlaceholder(canvas_, image, box, SheetWidth(kind, Variant::Hardware),
                                 SheetHeight(kind, Variant::Hardware));
        return Error::None;
    }

    Error drawTeam(int team, int top) {
        const TeamRecord& record = carSet_.teams[static_cast<std::size_t>(team)];
        canvas_.fill({kMargin / 2, top - kGap / 2, kUnitWidth - kMargin, kRowPitch},
                     team % 2 == 0 ? kPreviewBand : kPreviewBackground);
        drawNames(record, top);
        for (const auto& [kind, column] :
             {std::pair{GraphicKind::CarLivery, Car}, std::pair{GraphicKind::Cockpit, Cockpit},
              std::pair{GraphicKind::PitCrew, Crew}}) {
            if (Error error = drawSlot(kind, team, Cell(column, top)); !Ok(error)) {
                return error;
            }
        }
        drawHelmets(team, top);
        if (Error error = drawArt(team, top); !Ok(error)) {
            return error;
        }
        drawPitSign(team, top);
        return Error::None;
    }

    void drawNames(const TeamRecord& record, int top) {
        const int left = ColumnLeft(Names);
        const int right = left + kColumnWidths[Names];
        canvas_.text(left, top + 2, record.teamName.view(), kPreviewText, right);
        canvas_.text(left, top + 2 + kLineHeight, record.engineName.view(), kPreviewDimText, right);
        for (int d = 0; d < kDriversPerTeam; ++d) {
            const auto driver = static_cast<std::size_t>(d);
            canvas_.text(left, top + 2 + (3 + d) * kLineHeight,
                         NumberedName(record.carNumbers[driver], record.drivers[driver].name.view()), kPreviewText,
                         right);
        }
    }

    void drawHelmets(int team, int top) {
        const PreviewBox cell = Cell(Helmets, top);
        const int height = kSingleHelmetRows * cell.width / kSingleHelmetWidth;
        for (int d = 0; d < kDriversPerTeam; ++d) {
            const PreviewBox box{cell.x, cell.y + cell.height / 2 - height - 2 + d * (height + 4), cell.width, height};
            // A helmet that cannot be cut out shows as missing.
            PackedBitmap helmet;
            if (shared_.helmets.empty() || !Ok(TakeHelmet(shared_.helmets, kDriversPerTeam * team + d, helmet))) {
                helmet.clear();
            }
            DrawPictureOrPlaceholder(canvas_, helmet, box, kSingleHelmetWidth, kSingleHelmetRows);
        }
    }

    // The logo's first frame and the badge, as the Artwork page shows them.
    Error drawArt(int team, int top) {
        PackedBitmap sheet;
        if (Error error = FetchShownPicture(carSet_, environment_, GraphicKind::MenuArtwork, team, sheet); !Ok(error)) {
            return error;
        }
        const PreviewBox logoCell = Cell(Logo, top);
        const PreviewBox badgeCell = Cell(Badge, top);
        const ArtRegion badge = ArtScreenRegion(0);
        if (sheet.empty()) {
            DrawPictureOrPlaceholder(canvas_, sheet, logoCell, kLogoBoxSide, kLogoBoxSide);
            DrawPictureOrPlaceholder(canvas_, sheet, badgeCell, badge.width, badge.height);
            return Error::None;
        }
        const Rgb ground = team % 2 == 0 ? kPreviewBand : kPreviewBackground;
        PrepareArtDisplay(sheet, ground);
        DrawPictureOrPlaceholder(canvas_, ComposeLogoBox(sheet, 0, ground), logoCell, kLogoBoxSide, kLogoBoxSide);
        DrawPictureOrPlaceholder(canvas_, CutArtRegion(sheet, badge), badgeCell, badge.width, badge.height);
        return Error::None;
    }

    void drawPitSign(int team, int top) {
        PreviewBox cell = Cell(PitBox, top);
        cell.y += (cell.height - kPitStripRows) / 2;
        cell.height = kPitStripRows;
        PackedBitmap strip;
        if (!shared_.pitBoxes.empty()) {
            strip = PitStrip(shared_.pitBoxes, PitStripOf(shared_.positions[static_cast<std::size_t>(team)]));
        }
        DrawPictureOrPlaceholder(canvas_, strip, cell, kPitBoxWidth, kPitStripRows);
    }

    Error drawTyres() {
        const int top = TyreRowTop();
        int x = ColumnLeft(Car);
        for (int type = 0; type < kTyreTypeCount; ++type) {
            const std::string number = std::to_string(type + 1);
            const auto name = carSet_.tyres[static_cast<std::size_t>(type)].name.view();
            canvas_.text(kMargin, top + 2 + type * kLineHeight, number + " " + std::string(name), kPreviewText,
                         ColumnLeft(Names) + kColumnWidths[Names]);
            for (const auto& [kind, width, label] :
                 {std::tuple{GraphicKind::Tyre, kTyreSheetWidth, TextId::PreviewTyres},
                  std::tuple{GraphicKind::Tread, kTreadWidth, TextId::PreviewTread}}) {
                canvas_.text(x, top - kLineHeight - 4, FormatText(label, number), kPreviewDimText, x + width + kGap);
                if (Error error = drawSlot(kind, type, {x, top, width, kRowHeight}); !Ok(error)) {
                    return error;
                }
                x += width + kGap;
            }
        }
        return Error::None;
    }

    void drawPitLane() {
        const int top = PitLaneTop();
        canvas_.text(kMargin, top - kLineHeight - 4, Text(TextId::PreviewPitLane), kPreviewDimText, kUnitWidth);
        const PreviewBox picture{kMargin, top, kPitBoxWidth, kPitPictureHeight};
        DrawPictureOrPlaceholder(canvas_, shared_.pitBoxes, picture, kPitBoxWidth, kPitPictureHeight);
        const auto order = PitLaneOrder(shared_.positions);
        const int listLeft = kMargin + kPitBoxWidth + kGap;
        const int columnWidth = kColumnWidths[Names];
        for (int position = 0; position < kTeamCount; ++position) {
            const int team = order[static_cast<std::size_t>(position)];
            const int x = listLeft + (position / kPitLaneLines) * (columnWidth + kGap);
            const int y = top + 2 + (position % kPitLaneLines) * kLineHeight;
            canvas_.text(x, y,
                         std::to_string(position + 1) + " " +
                             std::string(carSet_.teams[static_cast<std::size_t>(team)].teamName.view()),
                         kPreviewText, x + columnWidth);
        }
    }

    CarSet& carSet_;
    const GraphicEnvironment& environment_;
    PreviewCanvas& canvas_;
    SharedPictures shared_;
};

} // namespace

int NaturalPreviewWidth(const PreviewOptions& options) {
    return options.team ? kOneTeamScale * kUnitWidth : kUnitWidth;
}

std::string CarSetTitle(const CarSet& carSet) {
    if (carSet.hasInformation != 0) {
        const std::string_view information = carSet.information;
        const std::string_view line = information.substr(0, information.find_first_of("\r\n"));
        if (line.find_first_not_of(" \t") != std::string_view::npos) {
            return std::string(line);
        }
    }
    if (!carSet.path.empty()) {
        // The name is the system's (UTF-8); the font draws Windows-1252.
        const std::string name = std::filesystem::path(carSet.path).filename().string();
        return Utf8ToWindows1252(name).value_or(name);
    }
    return std::string(Text(TextId::PreviewUntitled));
}

Error DrawCarSetPreview(const CarSet& carSet, const GraphicEnvironment& environment, const PreviewOptions& options,
                        PackedBitmap& picture) {
    if (options.team && (*options.team < 0 || *options.team >= kTeamCount)) {
        return Error::InvalidName;
    }
    PreviewCanvas canvas;
    const int width = options.width > 0 ? options.width : NaturalPreviewWidth(options);
    if (!canvas.reset(kUnitWidth, UnitHeight(options.team.has_value()), width, kPreviewBackground)) {
        return Error::WrongBitmapSize;
    }
    // A generated slot's fetch notes its cache in the car set: that stays in the copy.
    CarSet copy = carSet;
    if (Error error = PreviewPainter(copy, environment, canvas).draw(options); !Ok(error)) {
        return error;
    }
    picture = canvas.take();
    return Error::None;
}

Error SaveCarSetPreview(const CarSet& carSet, const GraphicEnvironment& environment, const PreviewOptions& options,
                        const std::filesystem::path& path) {
    PackedBitmap picture;
    if (Error error = DrawCarSetPreview(carSet, environment, options, picture); !Ok(error)) {
        return error;
    }
    return SavePngFile(path, picture, {}, PngEffort::Fast);
}

} // namespace tavolex
