#pragma once

#include <filesystem>
#include <string>

#include "core/Texts.h"
#include "core/Variant.h"
#include "document/CarSet.h"
#include "document/GraphicKind.h"
#include "game/TransferSummary.h"

// What the editor's status bar says once a command has succeeded: the user
// sees what happened without a box to close.

namespace tavolex {

// "livery for Jordan" for a kind with a picture per team, the kind's noun otherwise.
std::string PictureName(const CarSet& carSet, GraphicKind kind, int slot);

// "Loaded livery for Jordan from jordan.png": `report` filled with the
// picture's name and the name of `file` (when the text has a place for it).
std::string PictureReport(TextId report, const CarSet& carSet, GraphicKind kind, int slot,
                          const std::filesystem::path& file = {});

// One part of a picture that holds several: "helmet of Damon Hill" (helmets
// count two per team, the first driver's first), "pit box sign for Jordan".
std::string HelmetName(const CarSet& carSet, int helmet);
std::string PitBoxSignName(const CarSet& carSet, int team);

// `report` filled with the name of what was done and the name of `file`.
std::string NamedReport(TextId report, std::string_view name, const std::filesystem::path& file = {});

// "Loaded the team and driver data from team.txt": `report` filled with the
// text `what` and the name of `file`.
std::string DataReport(TextId report, TextId what, const std::filesystem::path& file = {});

// "Generated the software livery".
std::string GeneratedReport(GraphicKind kind, Variant variant);

// "Exported 87 pictures and the team data to the game"; without the team
// data the settings and the car number positions are named instead
// ("Exported the settings to the game"). `verb` is ReportImported or ReportExported.
std::string TransferReport(TextId verb, const TransferSummary& summary);

} // namespace tavolex
