#pragma once

#include <QIcon>

class QColor;
class QPainter;
class QRectF;

// The editor's own icons, drawn for it so they stay crisp at 16 and 32 pixels.
namespace icons {
QIcon Program(bool titled);
QIcon New();
QIcon Open();
QIcon Save();
QIcon Import();
QIcon Export();
QIcon Launch();
QIcon Help();
QIcon Exit();
QIcon Undo();
QIcon Redo();
// The program's mark (a racing car seen from above) drawn straight into
// `area` at any size, so large pictures of it stay sharp.
void PaintMark(QPainter& painter, const QRectF& area, const QColor& body);
} // namespace icons
