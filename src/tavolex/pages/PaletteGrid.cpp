#include "pages/PaletteGrid.h"

#include <QMouseEvent>
#include <QPainter>

#include "editing/PitCrewColours.h"
#include "formats/GamePalette.h"

namespace tavolex::editor {

namespace {

QRect CellRect(int k, const QSize& size) {
    const PaletteCell cell = PaletteCellAt(k, size.width(), size.height());
    return QRect(QPoint(cell.left, cell.top), QPoint(cell.right - 1, cell.bottom - 1));
}

} // namespace

PaletteGrid::PaletteGrid(QWidget* parent) : QWidget(parent) { makeBitmap(); }

void PaletteGrid::setOutlined(std::vector<int> cells) {
    outlined_ = std::move(cells);
    update();
}

QPoint PaletteGrid::cellCentre(int k) const { return CellRect(k, size()).center(); }

void PaletteGrid::makeBitmap() {
    // Black, with every cell filled from one pixel inside its top-left corner.
    bitmap_ = QImage(size(), QImage::Format_RGB32);
    bitmap_.fill(Qt::black);
    QPainter painter(&bitmap_);
    for (int k = 0; k < kPaletteCells; ++k) {
        const PaletteColour& colour = GamePalette[static_cast<std::size_t>(k)];
        painter.fillRect(CellRect(k, size()).adjusted(1, 1, 0, 0), QColor(colour.red, colour.green, colour.blue));
    }
}

void PaletteGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap_);
    painter.setPen(Qt::white);
    painter.setBrush(Qt::NoBrush);
    for (int k : outlined_) {
        painter.drawRect(CellRect(k, size()).adjusted(1, 1, -1, -1));
    }
}

void PaletteGrid::resizeEvent(QResizeEvent*) { makeBitmap(); }

void PaletteGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit clicked(event->position().toPoint());
    }
}

} // namespace tavolex::editor
