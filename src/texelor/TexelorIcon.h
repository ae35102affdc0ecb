#pragma once

#include <QIcon>

// The viewer's icon, drawn for it: a sheet of texture tiles with a magnifier.
QIcon TexelorIcon();
