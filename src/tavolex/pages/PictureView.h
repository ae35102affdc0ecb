#pragma once

#include <QFrame>
#include <QImage>
#include <QTimer>

#include "formats/PackedBitmap.h"

class QMimeData;

#include <functional>
#include <vector>

namespace tavolex::editor {

// A picture of a page: the shown image stretched over its area (inside the
// frame, by default 2 pixels in) without smoothing, a note over it when there
// is nothing to show, blinking dotted outlines the page asks for, and clicks
// passed on to the page.
class PictureView : public QFrame {
    Q_OBJECT

  public:
    explicit PictureView(QWidget* parent = nullptr);

    // The size that shows a picture of `picture` one screen pixel per texture
    // pixel: the picture with the frame's line and the inset all round.
    static QSize sizeForPicture(const QSize& picture);
    // The space between the frame and the area (the crew preview has none).
    void setAreaInset(int inset);

    // The sheet the area stands for; the image covers its own size of it from
    // the top left (a software cockpit covers the top quarter of the hardware sheet).
    void setSheetSize(const QSize& sheet);
    // Shows `image`; an empty one shows the background.
    void setImage(const PackedBitmap& image);
    void clearImage();
    bool hasImage() const { return !image_.isNull(); }
    const QImage& image() const { return image_; }
    // The rectangle the image is drawn into, in this widget's pixels.
    QRect imageRect() const;

    void setNote(const QString& note);
    QString note() const { return note_; }

    // The outlines to draw for a blink phase, in this widget's pixels.
    using OutlineSource = std::function<std::vector<QRect>(bool blink)>;
    void setOutlines(OutlineSource outlines) { outlines_ = std::move(outlines); }
    std::vector<QRect> outlines(bool blink) const { return outlines_ ? outlines_(blink) : std::vector<QRect>(); }
    // Blinks at the platform's cursor flash rate while on.
    void setBlinking(bool on);
    bool blinkPhase() const { return blink_; }

    // The area the sheet is stretched over: the inset inside the frame.
    QRect area() const;
    // A rectangle of the sheet as it lies over the area, in this widget's pixels.
    QRect areaRectOf(const QRect& sheetRect) const;

    // The file a drop would load, when it is one picture (BMP, PNG or JAM); else empty.
    static QString DroppedPicture(const QMimeData* data);

  signals:
    void rightClicked(const QPoint& position);
    void leftClicked(const QPoint& position);
    void doubleClicked(const QPoint& position);
    // Every press of either button, with its position in the area; `twice` for
    // the second press of a double click.
    void pressed(const QPoint& position, Qt::MouseButton button, bool twice);
    // A picture file was dropped onto the picture.
    void pictureDropped(const QString& path);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QSize sheet_{256, 256};
    int inset_;
    QImage image_;
    QString note_;
    OutlineSource outlines_;
    QTimer blinkTimer_;
    bool blink_ = false;
};

} // namespace tavolex::editor
