#include "shell/ZoomWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace tavolex::editor {

ZoomWindow::ZoomWindow(const QPixmap& picture, const QRect& source, const QPoint& centre, const QSize& size,
                       QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Popup), picture_(picture), source_(source) {
    setModal(true);
    const QScreen* screen = QGuiApplication::screenAt(centre);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect screenArea = screen != nullptr ? screen->geometry() : QRect(QPoint(0, 0), size);
    // Larger than the screen, it is made smaller in proportion, so the whole region shows.
    const bool fits = size.width() <= screenArea.width() && size.height() <= screenArea.height();
    setGeometry(Placement(centre, fits ? size : size.scaled(screenArea.size(), Qt::KeepAspectRatio), screenArea));
}

QRect ZoomWindow::Placement(const QPoint& centre, const QSize& size, const QRect& screen) {
    QRect placed(QPoint(centre.x() - size.width() / 2, centre.y() - size.height() / 2), size);
    if (placed.right() > screen.right())
        placed.moveRight(screen.right());
    if (placed.bottom() > screen.bottom())
        placed.moveBottom(screen.bottom());
    if (placed.left() < screen.left())
        placed.moveLeft(screen.left());
    if (placed.top() < screen.top())
        placed.moveTop(screen.top());
    return placed;
}

void ZoomWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Enlarged without smoothing, so every pixel of the texture stays visible.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), picture_, source_);
}

void ZoomWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        accept();
    }
}

void ZoomWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        accept();
    }
}

void ZoomWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tavolex::editor
