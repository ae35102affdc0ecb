#include "pages/HelmetsPage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "app/EditorState.h"
#include "app/RunChoice.h"
#include "document/HelmetPicture.h"
#include "editing/CommandReports.h"
#include "editing/HelmetCommands.h"
#include "pages/CommandButtons.h"
#include "pages/FailureReport.h"
#include "pages/PictureView.h"
#include "widgets/GameText.h"
#include "widgets/PathText.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr int kRows = 11;
constexpr int kGap = 3; // between the helmet buttons and the picture
// A driver's name of 23 characters with its arrow; a wider one is elided.
constexpr int kButtonCharacters = 26;

const GraphicsPageDeclaration kHelmets = {
    GraphicKind::Helmets,
    "Helmets",
    QSize(kHelmetWidth, kHelmetHeight),
    {TextId::NoSoftwareHelmetsImage, TextId::NoHardwareHelmetsImage},
    {TextId::LoadSoftwareHelmetsGraphics, TextId::LoadHardwareHelmetsGraphics},
    {TextId::SaveSoftwareHelmetsBitmap, TextId::SaveHardwareHelmetsBitmap},
};

const RunChoice<int> kSelectedHelmet{"helmets/selected", 0};

} // namespace

HelmetsPage::HelmetsPage(EditorState& state, UiServices& ui, QWidget* parent)
    : GraphicsPage(state, ui, kHelmets, parent) {
    button(u"generateSoftware"_s)->setText(tr("<<< Generate Software"));
    button(u"generateHardware"_s)->setText(tr("Generate Hardware >>>"));
    addPartChoice(
        {{"HELMETS.BMP", {}}, {"HELMETSD.JAM", QRect(1, 3, 253, 176)}, {"HELMETSE.JAM", QRect(1, 183, 253, 145)}});
    addSideWidget(makeHelmetGroup());
    makeHelmetButtons();
    connect(picture(), &PictureView::leftClicked, this, &HelmetsPage::pictureClicked);
    start();
}

QWidget* HelmetsPage::makeHelmetGroup() {
    auto* group = new QGroupBox(tr("Selected Helmet"), this);
    AddCommandButtons(group, new QHBoxLayout(group),
                      {{"importHelmet", "Import", [this] { importHelmet(); }},
                       {"exportHelmet", "Export", [this] { exportHelmet(); }},
                       {"loadHelmet", "Load", [this] { loadHelmet(); }},
                       {"saveHelmetAs", "Save as...", [this] { saveHelmetAs(); }}});
    return group;
}

void HelmetsPage::makeHelmetButtons() {
    auto* choice = new QButtonGroup(this);
    for (std::size_t side = 0; side < 2; ++side) {
        columns_[side] = new QWidget(this);
        columns_[side]->setFixedHeight(picture()->height() + 2);
    }
    for (int h = 0; h < kHelmetCount; ++h) {
        auto* radio = new Eliding<QRadioButton>(columns_[static_cast<std::size_t>(h % 2)]);
        radio->setReservedCharacters(kButtonCharacters);
        // Small print, as eleven rows beside the picture leave little room.
        QFont font = radio->font();
        font.setPointSizeF(font.pointSizeF() * 0.9);
        radio->setFont(font);
        radio->setObjectName(u"helmet%1"_s.arg(h));
        choice->addButton(radio);
        connect(radio, &QRadioButton::clicked, this, [this, h] { selectHelmet(h); });
        helmetButtons_[static_cast<std::size_t>(h)] = radio;
    }
    setPictureNeighbours(columns_[0], columns_[1]);
    labelHelmetButtons();
    helmetButton(selectedHelmet())->setChecked(true);
}

void HelmetsPage::labelHelmetButtons() {
    const int height = picture()->height();
    const int rowHeight = (height + 2) / kRows;
    int widest = 0;
    for (int h = 0; h < kHelmetCount; ++h) {
        const auto& team = state_.carSet().teams[static_cast<std::size_t>(h / 2)];
        const QString name = FromGameText(team.drivers[static_cast<std::size_t>(h % 2)].name.view());
        Eliding<QRadioButton>* radio = helmetButton(h);
        const QString label = h % 2 == 0 ? u"%1 >"_s.arg(name) : u"< %1"_s.arg(name);
        radio->setFullText(label);
        radio->setPlainToolTip(name);
        radio->resize(std::min(radio->widthFor(label), radio->reservedWidth()), radio->sizeHint().height());
        // Every column as wide as the longest name takes, whatever the names now.
        widest = std::max(widest, radio->reservedWidth());
    }
    // Eleven rows level with the picture's; the left buttons end, the right ones start, 3 pixels from it.
    for (int h = 0; h < kHelmetCount; ++h) {
        QRadioButton* radio = helmetButton(h);
        const int row = h / 2;
        // One pixel above the picture's rows, which begin a pixel below the columns' top.
        const int y = row * (height + 2) / kRows;
        const int x = h % 2 == 0 ? widest - radio->width() : kGap;
        radio->setGeometry(x, y, radio->width(), rowHeight);
    }
    for (QWidget* column : columns_) {
        column->setFixedWidth(widest + kGap);
    }
    // The picture's group is never narrower than the picture and its buttons.
    if (QWidget* group = picture()->parentWidget(); group != nullptr && group->layout() != nullptr) {
        const QMargins margins = group->layout()->contentsMargins() + group->contentsMargins();
        group->setMinimumWidth(2 * (widest + kGap) + picture()->width() + margins.left() + margins.right());
    }
}

int HelmetsPage::selectedHelmet() const { return kSelectedHelmet.get(state_); }

void HelmetsPage::selectHelmet(int helmet) {
    if (helmet < 0 || helmet >= kHelmetCount) {
        return;
    }
    kSelectedHelmet.set(state_, helmet);
    helmetButton(helmet)->setChecked(true);
}

std::optional<int> HelmetsPage::helmetAt(const QPoint& position) const {
    const QRect area = picture()->area();
    return HelmetAt(position.x() - area.left(), position.y() - area.top(), area.width(), area.height());
}

void HelmetsPage::pictureClicked(const QPoint& position) {
    const auto helmet = helmetAt(position);
    if (!picture()->hasImage() || !helmet) {
        ui_.beep();
        return;
    }
    selectHelmet(*helmet);
}

bool HelmetsPage::report(GraphicCommand command, Error error) { return PartSucceeded(ui_, this, error, command); }

std::string HelmetsPage::helmetReport(TextId report, const std::filesystem::path& file) const {
    return NamedReport(report, HelmetName(state_.carSet(), selectedHelmet()), file);
}

void HelmetsPage::importHelmet() {
    PackedBitmap image;
    if (report(GraphicCommand::Import,
               ImportHelmet(state_.carSet(), state_.graphicEnvironment(), shownVariant(), selectedHelmet(), image))) {
        tellDone(helmetReport(TextId::ReportImported));
        showChanged(std::move(image));
    }
}

void HelmetsPage::exportHelmet() {
    if (report(GraphicCommand::Export,
               ExportHelmet(state_.carSet(), state_.graphicEnvironment(), shownVariant(), selectedHelmet()))) {
        tellDone(helmetReport(TextId::ReportExported));
        ui_.information(this, T(TextId::FilePatchedSuccessfully));
    }
}

void HelmetsPage::loadHelmet() {
    const bool hardware = shownVariant() == Variant::Hardware;
    const QString path =
        ui_.openFile(this, T(hardware ? TextId::LoadHardwareHelmetBitmap : TextId::LoadSoftwareHelmetBitmap),
                     T(TextId::BitmapFilter));
    if (path.isEmpty()) {
        return;
    }
    PackedBitmap image;
    if (ui_.loaded(this, LoadHelmet(state_.carSet(), shownVariant(), selectedHelmet(), ToPath(path), image), path,
                   {GraphicKind::Helmets, shownVariant(), kSingleHelmetWidth, kSingleHelmetRows})) {
        tellDone(helmetReport(TextId::ReportLoaded, ToPath(path)));
        showChanged(std::move(image));
    }
}

void HelmetsPage::saveHelmetAs() {
    if (state_.carSet().helmetFlags[VariantSlot(shownVariant())] == 0) {
        return;
    }
    const bool hardware = shownVariant() == Variant::Hardware;
    const QString path =
        ui_.saveFile(this, T(hardware ? TextId::SaveHardwareHelmetBitmap : TextId::SaveSoftwareHelmetBitmap),
                     T(TextId::BitmapFilter), u"BMP"_s);
    if (path.isEmpty() || !ui_.replace(this, path)) {
        return;
    }
    if (report(GraphicCommand::Save, SaveHelmetAs(state_.carSet(), shownVariant(), selectedHelmet(), ToPath(path)))) {
        tellDone(helmetReport(TextId::ReportSavedAs, ToPath(path)));
    }
}

Error HelmetsPage::runImport(PackedBitmap& image) {
    return ImportHelmets(state_.carSet(), state_.graphicEnvironment(), shownVariant(), helmetPart(), image);
}

Error HelmetsPage::runExport() {
    return ExportHelmets(state_.carSet(), state_.graphicEnvironment(), shownVariant(), helmetPart());
}

Error HelmetsPage::runLoad(const std::filesystem::path& path, PackedBitmap& image) {
    return LoadHelmets(state_.carSet(), shownVariant(), path, image);
}

Error HelmetsPage::runSaveAs(const std::filesystem::path& path) {
    return SaveHelmetsAs(state_.carSet(), shownVariant(), helmetPart(), path);
}

void HelmetsPage::refreshOwnControls() {
    // The drivers' names may have changed with the team data.
    if (helmetButtons_[0] != nullptr) {
        labelHelmetButtons();
    }
}

void HelmetsPage::applyOwnRules(const GraphicControlRules& rules) {
    button(u"importHelmet"_s)->setEnabled(rules.importFromGame);
    button(u"exportHelmet"_s)->setEnabled(rules.exportToGame);
    button(u"saveHelmetAs"_s)->setEnabled(rules.saveAs);
}

PictureZoom HelmetsPage::zoomAt(const QPoint& position) const {
    const auto helmet = helmetAt(position);
    if (!helmet) {
        return {};
    }
    const int width = picture()->width();
    const int left = kSingleHelmetWidth * (*helmet % 2);
    const int top = kSingleHelmetRows * (*helmet / 2);
    return {PictureZoom::Action::Show,
            {left, top, left + kSingleHelmetWidth, top + kSingleHelmetRows},
            2 * width,
            width * 60 / 128};
}

} // namespace tavolex::editor
