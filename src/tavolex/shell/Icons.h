#pragma once

#include <QIcon>

#include <functional>

class QColor;
class QPainter;
class QRectF;

namespace tavolex::editor {

// The editor's own icons, drawn for it so they stay crisp at 16 and 32 pixels.
namespace icons {
// An icon drawn on a 16-unit grid and rendered at every size it is shown;
// `sameWhenDisabled` keeps a disabled button from greying it again.
QIcon Drawn(const std::function<void(QPainter&)>& draw, bool sameWhenDisabled = false);
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

} // namespace tavolex::editor
