#include "pages/PictureView.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "pages/DisplayQImage.h"

namespace tavolex::editor {

using namespace Qt::StringLiterals;

namespace {
constexpr int kFrameLine = 1;
constexpr int kAreaInset = 2;
constexpr int kDefaultBlinkMs = 530;
} // namespace

PictureView::PictureView(QWidget* parent) : QFrame(parent), inset_(kAreaInset) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameLine);
    setMinimumSize(160, 160);
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
    // Half the full cycle: the outline shows for one half, the other for the next.
    const int flash = QApplication::cursorFlashTime();
    blinkTimer_.setInterval(flash > 0 ? flash / 2 : kDefaultBlinkMs);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] {
        blink_ = !blink_;
        update();
    });
}

QSize PictureView::sizeForPicture(const QSize& picture) {
    const int border = 2 * (kFrameLine + kAreaInset);
    return picture + QSize(border, border);
}

void PictureView::setAreaInset(int inset) {
    inset_ = inset;
    update();
}

void PictureView::setSheetSize(const QSize& sheet) {
    sheet_ = sheet;
    update();
}

void PictureView::setImage(const PackedBitmap& image) {
    image_ = ToQImage(image);
    update();
}

void PictureView::clearImage() {
    image_ = QImage();
    update();
}

void PictureView::setNote(const QString& note) {
    if (note != note_) {
        note_ = note;
        update();
    }
}

void PictureView::setBlinking(bool on) {
    if (on && !blinkTimer_.isActive()) {
        blinkTimer_.start();
    } else if (!on) {
        blinkTimer_.stop();
        blink_ = false;
    }
    update();
}

QRect PictureView::area() const { return contentsRect().adjusted(inset_, inset_, -inset_, -inset_); }

QRect PictureView::areaRectOf(const QRect& sheetRect) const {
    // Both edges scaled alike, the right and bottom ones as the next rectangle's
    // left and top, so neighbouring rectangles share no pixel.
    const QRect whole = area();
    const auto x = [&](int value) { return whole.left() + value * whole.width() / sheet_.width(); };
    const auto y = [&](int value) { return whole.top() + value * whole.height() / sheet_.height(); };
    return {QPoint(x(sheetRect.left()), y(sheetRect.top())),
            QPoint(x(sheetRect.left() + sheetRect.width()) - 1, y(sheetRect.top() + sheetRect.height()) - 1)};
}

QRect PictureView::imageRect() const {
    const QRect whole = area();
    if (image_.isNull() || sheet_.isEmpty()) {
        return {};
    }
    const int width = whole.width() * image_.width() / sheet_.width();
    const int height = whole.height() * image_.height() / sheet_.height();
    return {whole.topLeft(), QSize(width, height)};
}

void PictureView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect whole = area();
    painter.fillRect(whole, palette().window());
    if (!image_.isNull()) {
        // Nearest neighbour keeps every texture pixel crisp.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(imageRect(), image_);
    }
    if (!note_.isEmpty()) {
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(palette().windowText().color());
        painter.drawText(whole, Qt::AlignCenter | Qt::TextWordWrap, note_);
    }
    if (outlines_) {
        // A dotted outline drawn twice, the second a pixel larger all round, so it
        // shows on any livery colour.
        QPen pen(Qt::white, 1, Qt::DotLine);
        painter.setClipRect(whole);
        for (const QRect& outline : outlines_(blink_)) {
            for (const QRect& rect : {outline, outline.adjusted(-1, -1, 1, 1)}) {
                painter.setPen(QPen(Qt::black, 1));
                painter.drawRect(rect.adjusted(0, 0, -1, -1));
                painter.setPen(pen);
                painter.drawRect(rect.adjusted(0, 0, -1, -1));
            }
        }
    }
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit pressed(event->position().toPoint() - area().topLeft(), event->button(), false);
    }
    if (event->button() == Qt::RightButton) {
        emit rightClicked(event->position().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        emit leftClicked(event->position().toPoint());
        return;
    }
    QFrame::mousePressEvent(event);
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click comes only here, as on Windows.
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit pressed(event->position().toPoint() - area().topLeft(), event->button(), true);
    }
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked(event->position().toPoint());
        return;
    }
    if (event->button() == Qt::RightButton) {
        // To the pages that take no double click, a second right click.
        emit rightClicked(event->position().toPoint());
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

QString PictureView::DroppedPicture(const QMimeData* data) {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls[0].isLocalFile()) {
        return {};
    }
    const QString path = urls[0].toLocalFile();
    for (const QString& extension : {u".bmp"_s, u".png"_s, u".jam"_s}) {
        if (path.endsWith(extension, Qt::CaseInsensitive)) {
            return path;
        }
    }
    return {};
}

void PictureView::dragEnterEvent(QDragEnterEvent* event) {
    // Anything else is left to the window, which refuses it (or opens a car set).
    if (!DroppedPicture(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void PictureView::dropEvent(QDropEvent* event) {
    const QString path = DroppedPicture(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        emit pictureDropped(path);
    }
}

} // namespace tavolex::editor
