#pragma once

#include <filesystem>
#include <optional>

#include "core/Error.h"
#include "core/Progress.h"
#include "core/Variant.h"
#include "document/CarSet.h"
#include "formats/PackedBitmap.h"

// The one picture of all 22 drivers' helmets: 256 x 330, helmet h (team h / 2,
// its second driver when h is odd) in the 128 x 30 rectangle at column
// 128 (h mod 2), row 30 (h / 2). The game keeps it in two files: part D (rows
// 0-179, helmets 0-11, Liveries\HELMETSD, 12 images) and part E (rows
// 180-329, helmets 12-21, Liveries\HELMETSE, 10 images).

namespace tavolex {

inline constexpr int kHelmetCount = 22;
inline constexpr int kSingleHelmetWidth = 128;
inline constexpr int kSingleHelmetRows = 30;

// The part choice of the file commands: both parts, part D or part E.
enum class HelmetPart { Both = 0, D = 1, E = 2 };

// The first row and the rows of a part (Both: the whole picture).
int HelmetPartTop(HelmetPart part);
int HelmetPartRows(HelmetPart part);
// The part that holds helmet h.
HelmetPart HelmetPartOf(int helmet);
// The helmet under (x, y) of a picture drawn w x h; nothing outside it.
std::optional<int> HelmetAt(int x, int y, int width, int height);

// A blank picture: palette index 0 (software), red 3F green 67 blue 67 (hardware).
PackedBitmap BlankHelmets(Variant variant, int rows = kHelmetHeight);

// Helmet h as a 128 x 30 picture of the same depth, and back into the picture.
[[nodiscard]] Error TakeHelmet(const PackedBitmap& picture, int helmet, PackedBitmap& out);
[[nodiscard]] Error PutHelmet(const PackedBitmap& helmet, int index, PackedBitmap& picture);

// The rows of a part as a picture of their own, and back into the whole picture.
PackedBitmap HelmetPartPicture(const PackedBitmap& picture, HelmetPart part);
[[nodiscard]] Error PutHelmetPart(const PackedBitmap& rows, HelmetPart part, PackedBitmap& picture);

// Reads the game's files of the chosen part(s) into `picture` (256 x 330 of the
// variant's depth); nothing outside the read rows changes, nothing at all on failure.
[[nodiscard]] Error ImportHelmetParts(const std::filesystem::path& gameFolder, Variant variant, HelmetPart part,
                                      PackedBitmap& picture);
// `progress` (may be null) names each file patched.
[[nodiscard]] Error ExportHelmetParts(const std::filesystem::path& gameFolder, Variant variant, HelmetPart part,
                                      const PackedBitmap& picture, Progress* progress = nullptr);

} // namespace tavolex
