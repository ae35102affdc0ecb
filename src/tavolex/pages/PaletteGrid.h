#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

namespace tavolex::editor {

// The game palette as a grid of 208 cells (13 rows of 16) over the whole
// widget, with white outlines inside the cells the page names; clicks of
// either button are passed on with their position.
class PaletteGrid : public QWidget {
    Q_OBJECT

  public:
    explicit PaletteGrid(QWidget* parent = nullptr);

    void setOutlined(std::vector<int> cells);
    const std::vector<int>& outlined() const { return outlined_; }
    // The centre of cell k, for a click on it.
    QPoint cellCentre(int k) const;

  signals:
    void clicked(const QPoint& position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void makeBitmap();

    QImage bitmap_;
    std::vector<int> outlined_;
};

} // namespace tavolex::editor
