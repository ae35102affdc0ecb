#pragma once

#include <array>

#include <nlohmann/json.hpp>

#include "document/CarSet.h"

// The JSON shape of team data that scripts rely on, shared by every command
// that prints teams.

namespace tavolex::cli {

nlohmann::ordered_json TeamsToJson(const std::array<TeamRecord, kTeamCount>& teams);

} // namespace tavolex::cli
