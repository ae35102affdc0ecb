#include "tools/CarDamageEditor.h"

#include <QButtonGroup>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/EditorState.h"
#include "formats/GamePalette.h"
#include "tools/ToolCommands.h"
#include "widgets/NumberBox.h"
#include "widgets/Texts.h"
#include "widgets/UiServices.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {

constexpr int kScale = 2;
constexpr int kSideWidth = 212;
constexpr int kRowHeight = 28;

// Each part's label, the side of the picture its box stands on and the
// height (in picture pixels) it points at.
struct PartPlace {
    const char* label;
    bool leftSide;
    int y;
};
constexpr std::array<PartPlace, kDamagePartCount> kParts = {{
    {"Nose Cone", false, 40},         {"Right Front Wing", false, 18},  {"Left Front Wing", true, 18},
    {"Right Wing Fence", false, 32},  {"Left Wing Fence", true, 32},    {"Front Suspension", false, 78},
    {"Right Front Wheel", false, 58}, {"Front Suspension", true, 78},   {"Left Front Wheel", true, 58},
    {"Right Side Pod", false, 170},   {"Left Side Pod", true, 170},     {"Car Rear", true, 236},
    {"Rear Suspension", false, 238},  {"Right Rear Wheel", false, 218}, {"Rear Suspension", true, 238},
    {"Left Rear Wheel", true, 218},   {"Entire Rear Wing", true, 278},  {"Right Rear Wing", false, 274},
    {"Left Rear Wing", true, 266},    {"Top Rear Wing", false, 262},    {"Right Barge Board", false, 110},
    {"Left Barge Board", true, 110},
}};

std::vector<std::uint8_t> LoadPicture() {
    QFile file(u":/damage-car.raw"_s);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.size() != kDamagePictureWidth * kDamagePictureHeight) {
        // Without its picture the editor still works: an empty frame.
        return std::vector<std::uint8_t>(kDamagePictureWidth * kDamagePictureHeight, 37);
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

QPixmap PictureToPixmap(const std::vector<std::uint8_t>& pixels) {
    QImage image(pixels.data(), kDamagePictureWidth, kDamagePictureHeight, kDamagePictureWidth,
                 QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const PaletteColour& colour : GamePalette) colours << qRgb(colour.red, colour.green, colour.blue);
    image.setColorTable(colours);
    return QPixmap::fromImage(image.scaled(image.width() * kScale, image.height() * kScale));
}

} // namespace

CarDamageEditor::CarDamageEditor(EditorState& state, UiServices& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), record_(DefaultDamage()), picture_(LoadPicture()) {
    setWindowTitle(tr("Car Damage Editor"));
    auto* areaGroup = new QGroupBox(tr("Area of Car"), this);
    auto* areaButtons = new QButtonGroup(areaGroup);
    auto* areaLayout = new QVBoxLayout(areaGroup);
    const QString areaLabels[] = {tr("Chassis"), tr("Wings"), tr("Wheels")};
    for (int a = 0; a < 3; ++a) {
        areas_[static_cast<std::size_t>(a)] = new QRadioButton(areaLabels[a], areaGroup);
        areaButtons->addButton(areas_[static_cast<std::size_t>(a)], a);
        areaLayout->addWidget(areas_[static_cast<std::size_t>(a)]);
    }
    areas_[0]->setChecked(true);
    connect(areaButtons, &QButtonGroup::idClicked, this, [this](int a) { chooseArea(static_cast<DamageArea>(a)); });

    auto* commands = new QVBoxLayout;
    AddToolCommands(this, commands,
                    {[this] { importFromGame(); }, [this] { exportToGame(); }, [this] { loadDefaults(); }},
                    AllowsExecutable(state_.exeStatus()));

    auto* side = new QVBoxLayout;
    side->addWidget(areaGroup);
    side->addWidget(
        makeCollisionGroup(tr("Collisions with Walls"), damage_index::kWallDamage, damage_index::kWallBounce));
    side->addWidget(makeCollisionGroup(tr("Collisions with Cars"), damage_index::kCarDamage, damage_index::kCarBounce));
    side->addStretch();
    side->addLayout(commands);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(makeDamageGroup());
    layout->addLayout(side);

    placePartRows();
    showSelection(DamageSelection::Area(area_));
    showRecord();
    areas_[0]->setFocus();
}

QPushButton* CarDamageEditor::button(const QString& name) const { return findChild<QPushButton*>(name); }

QWidget* CarDamageEditor::makeDamageGroup() {
    auto* group = new QGroupBox(tr("Damage Coefficients"), this);
    partsCanvas_ = new QWidget(group);
    const int pictureWidth = kDamagePictureWidth * kScale;
    partsCanvas_->setFixedSize(2 * kSideWidth + pictureWidth, kDamagePictureHeight * kScale);
    pictureFrame_ = new QLabel(partsCanvas_);
    pictureFrame_->setObjectName(u"carPicture"_s);
    pictureFrame_->setGeometry(kSideWidth, 0, pictureWidth, kDamagePictureHeight * kScale);
    for (int part = 0; part < kDamagePartCount; ++part) {
        const PartPlace& place = kParts[static_cast<std::size_t>(part)];
        auto* row = new QWidget(partsCanvas_);
        auto* box = new NumberBox(5, DamageLimit(part), row);
        box->setObjectName(u"part%1"_s.arg(part));
        box->setFixedWidth(64);
        auto* label = new QLabel(tr(place.label), row);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(4, 0, 4, 0);
        if (place.leftSide) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            rowLayout->addWidget(label, 1);
            rowLayout->addWidget(box);
        } else {
            rowLayout->addWidget(box);
            rowLayout->addWidget(label, 1);
        }
        connect(box, &NumberBox::valueTyped, this, [this, part](int value) {
            record_[static_cast<std::size_t>(part)] = static_cast<std::uint16_t>(value);
        });
        connect(box, &NumberBox::focusEntered, this, [this, part] { showSelection(DamageSelection::Part(part)); });
        boxes_[static_cast<std::size_t>(part)] = box;
        partRows_[static_cast<std::size_t>(part)] = row;
    }
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(partsCanvas_);
    return group;
}

QWidget* CarDamageEditor::makeCollisionGroup(const QString& title, int damage, int bounce) {
    auto* group = new QGroupBox(title, this);
    auto* form = new QFormLayout(group);
    for (const auto& [index, label, digits] :
         {std::tuple{damage, tr("Damage"), 5}, std::tuple{bounce, tr("Bounce"), 3}}) {
        auto* box = new NumberBox(digits, DamageLimit(index), group);
        box->setObjectName(u"collision%1"_s.arg(index));
        box->setFixedWidth(64);
        connect(box, &NumberBox::valueTyped, this, [this, index = index](int value) {
            record_[static_cast<std::size_t>(index)] = static_cast<std::uint16_t>(value);
        });
        connect(box, &NumberBox::focusEntered, this, [this] { showSelection(DamageSelection::Collision()); });
        boxes_[static_cast<std::size_t>(index)] = box;
        form->addRow(label, box);
    }
    return group;
}

// The chosen area's boxes beside the picture, each as near the height of its part as the others leave room for.
void CarDamageEditor::placePartRows() {
    for (bool left : {true, false}) {
        std::vector<int> parts;
        for (int part : PartsOfArea(area_)) {
            if (kParts[static_cast<std::size_t>(part)].leftSide == left)
                parts.push_back(part);
        }
        std::sort(parts.begin(), parts.end(), [](int a, int b) {
            return kParts[static_cast<std::size_t>(a)].y < kParts[static_cast<std::size_t>(b)].y;
        });
        int next = 0;
        for (int part : parts) {
            const int top = std::max(next, kParts[static_cast<std::size_t>(part)].y * kScale - kRowHeight / 2);
            const int x = left ? 0 : kSideWidth + kDamagePictureWidth * kScale;
            partRows_[static_cast<std::size_t>(part)]->setGeometry(x, top, kSideWidth, kRowHeight);
            next = top + kRowHeight;
        }
    }
    for (int part = 0; part < kDamagePartCount; ++part) {
        partRows_[static_cast<std::size_t>(part)]->setVisible(AreaOfPart(part) == area_);
    }
}

void CarDamageEditor::showSelection(DamageSelection selection) {
    shown_ = ColourDamagePicture(picture_, selection);
    pictureFrame_->setPixmap(PictureToPixmap(shown_));
}

void CarDamageEditor::chooseArea(DamageArea area) {
    if (area == area_) {
        return;
    }
    area_ = area;
    areas_[static_cast<std::size_t>(area)]->setChecked(true);
    placePartRows();
    showSelection(DamageSelection::Area(area));
}

void CarDamageEditor::showRecord() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i]->setValue(record_[i]);
    }
}

void CarDamageEditor::takeBoxes() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const qlonglong typed = boxes_[i]->text().toLongLong();
        record_[i] = static_cast<std::uint16_t>(std::min<qlonglong>(typed, DamageLimit(static_cast<int>(i))));
    }
    showRecord();
}

void CarDamageEditor::importFromGame() {
    takeBoxes();
    DamageRecord read = record_;
    if (!Ok(ReadGameDamage(state_.game(), state_.exeStatus(), read))) {
        ui_.error(this, T(TextId::FailedToReadGame));
        return;
    }
    record_ = read;
    showRecord();
}

void CarDamageEditor::exportToGame() {
    takeBoxes();
    if (!Ok(WriteGameDamage(state_.game(), state_.exeStatus(), record_))) {
        ui_.error(this, T(TextId::FailedToPatchGame));
        return;
    }
    ui_.information(this, T(TextId::FilePatchedSuccessfully));
}

void CarDamageEditor::loadDefaults() {
    record_ = DefaultDamage();
    showRecord();
}

} // namespace tavolex::editor
