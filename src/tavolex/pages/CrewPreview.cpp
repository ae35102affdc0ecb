#include "pages/CrewPreview.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavolex::editor {

CrewPreview::CrewPreview(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void CrewPreview::setImage(const QImage& image) {
    image_ = image;
    update();
}

void CrewPreview::setNote(const QString& note) {
    note_ = note;
    update();
}

void CrewPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(area(), palette().window());
    if (!image_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(area(), image_);
    } else if (!note_.isEmpty()) {
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(area(), Qt::AlignCenter | Qt::TextWordWrap, note_);
    }
}

void CrewPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit clicked(event->position().toPoint() - area().topLeft(), event->button(), false);
    }
}

void CrewPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click comes only here, as on Windows.
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit clicked(event->position().toPoint() - area().topLeft(), event->button(), true);
    }
}

} // namespace tavolex::editor
