#pragma once

#include <QListWidget>
#include <QTimer>

namespace tavolex::editor {

// The pit lane list, entrance at the top: a team is moved by dragging it to
// a boundary between two others, marked by two small triangles; holding the
// pointer above or below the list scrolls it. The list itself stays as it
// is: the page hears of the move and fills it again.
class PitLaneList : public QListWidget {
    Q_OBJECT

  public:
    explicit PitLaneList(QWidget* parent = nullptr);

    bool dragging() const { return dragging_; }
    // The boundary the marker stands at (0 = above the first item), or -1.
    int markerRow() const { return dragging_ ? marker_ : -1; }

  signals:
    // Item `from` was dropped at boundary `target` (0 to count()).
    void itemMoved(int from, int target);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Losing the focus (another window took the mouse) ends a drag without a move.
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void scrollAtEdges();
    void endDrag();
    int itemHeight() const;

    QTimer edgeTimer_;
    int pressed_ = -1;
    int pressY_ = 0;
    int pointerY_ = 0;
    int marker_ = 0;
    bool dragging_ = false;
};

} // namespace tavolex::editor
