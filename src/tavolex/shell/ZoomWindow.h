#pragma once

#include <QDialog>
#include <QPixmap>

namespace tavolex::editor {

// A part of a picture shown enlarged in a borderless modal window centred on
// a point and kept on the screen; a click, the right button's release, Enter
// or Escape closes it.
class ZoomWindow : public QDialog {
    Q_OBJECT

  public:
    ZoomWindow(const QPixmap& picture, const QRect& source, const QPoint& centre, const QSize& size,
               QWidget* parent = nullptr);

    // Where a window of `size` centred on `centre` goes so that it stays inside `screen`.
    static QRect Placement(const QPoint& centre, const QSize& size, const QRect& screen);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPixmap picture_;
    QRect source_;
};

} // namespace tavolex::editor
