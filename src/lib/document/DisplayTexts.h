#pragma once

#include <string>

#include "document/CarSet.h"

// The texts the editor's shell builds from the car set.

namespace tavolex {

// "Tavolex v1.10 - [ NAME ]" with the file's name (or "....." while
// untitled), and "*" after the bracket when there are unsaved changes.
std::string WindowTitle(const CarSet& carSet);

// " TEAM - ENGINE", " TEAM" or " ENGINE" (whichever is there), or empty.
std::string TeamButtonLabel(const TeamRecord& team);

// "Save Changes to NAME?" with the file's name in upper case, or "Save Changes to Car Set?".
std::string UnsavedChangesQuestion(const CarSet& carSet);

// The file name of a path as file titles show it: the name with its extension.
std::string DisplayName(const std::string& path);

} // namespace tavolex
