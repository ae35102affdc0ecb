#include "pages/PitLaneList.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace tavolex::editor {

namespace {
constexpr int kEdgeScrollMs = 100;
constexpr int kTriangle = 4;
} // namespace

PitLaneList::PitLaneList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    edgeTimer_.setInterval(kEdgeScrollMs);
    connect(&edgeTimer_, &QTimer::timeout, this, &PitLaneList::scrollAtEdges);
}

int PitLaneList::itemHeight() const {
    const int height = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
    return std::max(height, 1);
}

void PitLaneList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    pressed_ = index.isValid() ? index.row() : -1;
    pressY_ = pointerY_ = event->position().toPoint().y();
    marker_ = pressed_;
    dragging_ = false;
    if (pressed_ >= 0) {
        edgeTimer_.start();
    }
}

void PitLaneList::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ < 0 || !(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    pointerY_ = event->position().toPoint().y();
    if (!dragging_ && std::abs(pointerY_ - pressY_) > itemHeight() / 2) {
        dragging_ = true;
    }
    if (!dragging_) {
        return;
    }
    // Only the upper half of an item chooses the boundary above it.
    const QModelIndex index = indexAt(QPoint(viewport()->width() / 2, pointerY_));
    if (index.isValid()) {
        const QRect rect = visualRect(index);
        if (pointerY_ < rect.top() + rect.height() / 2) {
            marker_ = index.row();
        }
    }
    viewport()->update();
}

void PitLaneList::scrollAtEdges() {
    if (!dragging_) {
        return;
    }
    const int top = indexAt(QPoint(1, 1)).isValid() ? indexAt(QPoint(1, 1)).row() : 0;
    if (pointerY_ < 0) {
        if (top > 0) {
            verticalScrollBar()->setValue(verticalScrollBar()->value() - 1);
        }
        marker_ = indexAt(QPoint(1, 1)).isValid() ? indexAt(QPoint(1, 1)).row() : 0;
    } else if (pointerY_ >= viewport()->height()) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
        marker_ = std::min(marker_ + 1, count());
    }
    viewport()->update();
}

void PitLaneList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool moved = dragging_ && marker_ != pressed_;
    const int from = pressed_;
    const int target = marker_;
    endDrag();
    if (moved) {
        emit itemMoved(from, target);
    }
}

void PitLaneList::endDrag() {
    edgeTimer_.stop();
    dragging_ = false;
    pressed_ = -1;
    viewport()->update();
}

void PitLaneList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    if (pressed_ >= 0) {
        endDrag();
    }
}

void PitLaneList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!dragging_) {
        return;
    }
    // The boundary: the top of the marked item, or the bottom of the last one.
    int y = 0;
    if (marker_ < count()) {
        y = visualRect(model()->index(marker_, 0)).top();
    } else if (count() > 0) {
        y = visualRect(model()->index(count() - 1, 0)).bottom() + 1;
    }
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(palette().highlight().color());
    painter.setBrush(palette().highlight());
    const int right = viewport()->width() - 1;
    painter.drawPolygon(QPolygon({QPoint(0, y - kTriangle), QPoint(kTriangle, y), QPoint(0, y + kTriangle)}));
    painter.drawPolygon(
        QPolygon({QPoint(right, y - kTriangle), QPoint(right - kTriangle, y), QPoint(right, y + kTriangle)}));
}

} // namespace tavolex::editor
