#pragma once

#include <QFrame>
#include <QImage>

namespace tavolex::editor {

// The pit crew colour preview: the crew painted in the team's colours,
// stretched over the area without smoothing, and its clicks and double
// clicks of either button passed on with the position in the area.
class CrewPreview : public QFrame {
    Q_OBJECT

  public:
    explicit CrewPreview(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    bool hasImage() const { return !image_.isNull(); }
    const QImage& image() const { return image_; }
    void setNote(const QString& note);
    QString note() const { return note_; }
    // The area the picture is stretched over.
    QRect area() const { return contentsRect(); }

  signals:
    void clicked(const QPoint& position, Qt::MouseButton button, bool twice);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage image_;
    QString note_;
};

} // namespace tavolex::editor
