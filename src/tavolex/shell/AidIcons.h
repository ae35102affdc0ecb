#pragma once

#include <QIcon>

namespace tavolex::editor {

// The driver aids' icons, in the editor's column order (Auto Brakes, Auto
// Gears, Auto Right the Car, Indestructible, Show Best Line, Suggested Gear,
// Throttle Help, Steering Help): a bright picture for an aid that is
// available and a dimmed one for an aid that is not. Drawn like the
// toolbar's icons, on a 16-unit grid.
namespace icons {
QIcon DriverAid(int aid, bool available);
} // namespace icons

} // namespace tavolex::editor
