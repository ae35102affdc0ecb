#pragma once

#include <QIcon>

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
} // namespace icons
