#pragma once

#include <QIcon>

namespace texelor {

// The viewer's icon, drawn for it: a sheet of texture tiles with a magnifier.
QIcon TexelorIcon();

} // namespace texelor
