#pragma once

#include <QString>

#include "core/Texts.h"

// A text of the system's table as a QString.
inline QString T(tavolex::TextId id) { return QString::fromUtf8(tavolex::Text(id).data(), static_cast<int>(tavolex::Text(id).size())); }
