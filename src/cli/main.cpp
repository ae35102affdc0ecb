// tavolex-cli: the headless face of Tavolex, for scripts and terminals.

#include <iostream>
#include <string>
#include <vector>

#include "CarSetCommands.h"
#include "CommandLine.h"
#include "GameCommands.h"
#include "JamCommands.h"
#include "PreviewCommands.h"
#include "TeamsCommands.h"

namespace {

constexpr const char* kUsage =
    R"(Usage: tavolex-cli COMMAND [ARGUMENTS]

Reads and writes the files of Grand Prix 3 car sets and textures.

Commands:
  jam read IN.JAM OUT.BMP [--height H]
      Reads a software or hardware JAM texture and writes it as a BMP file
      (8-bit with the game's palette, or 24-bit), or as a PNG file when OUT
      ends in .png (a palette PNG, or RGB). The sheet height is taken
      from the file's header unless --height is given. Prints "software" or
      "hardware".
  jam patch JAM IN.BMP
      Replaces the pixels of an existing JAM texture with those of a BMP or
      PNG of the same height (256 pixels wide). The JAM is replaced only when the
      whole new file has been written.
  carset new OUT.GP3
      Saves a new car set with every default.
  carset info IN.GP3
      Prints the car set as JSON: teams, tyres, settings, information and
      the pictures it holds (by the file names extract would write).
  carset extract IN.GP3 DIR [--png]
      Writes every picture of the car set as a BMP file (with --png a PNG
      file) into DIR:
      car-TT-software.bmp, car-TT-hardware.bmp, cockpit-TT-..., pitcrew-TT-...
      (TT the team slot 00-10), helmets-software.bmp, helmets-hardware.bmp,
      tyre-I-software.bmp, tyre-I-hardware.bmp, tread-I.bmp (I the tyre type
      0 or 1), pitbox-software.bmp, pitbox-hardware.bmp and artwork-TT.bmp
      (the 1024 x 650 art sheet bitmap); with --png the names end in .png.
  carset pack DIR OUT.GP3 [--from IN.GP3]
      Builds a car set from the BMP files in DIR named as extract names them
      (a .png of the same name where there is no .bmp);
      the team data comes from IN.GP3 when given, else from the defaults.
  carset generate IN.GP3 OUT.GP3 [--game DIR] [--kind KIND] [--to VARIANT]
      Fills every empty picture whose other variant holds a picture of its
      own, as the editor's Generate buttons do, and saves OUT.GP3. KIND is
      cars, cockpits, pitcrews, pitboxes or helmets (all without --kind);
      VARIANT is software or hardware (both without --to). DIR names the game
      from which the hardware cockpit mask is rebuilt when it is missing.
      Prints one line per generated picture; writes nothing on a failure.
  carset preview IN.GP3 OUT.png [--team T] [--width W]
      Draws the whole car set as one PNG picture: its title (the first line
      of its information), a row per team with the team, engine and driver
      names, livery, cockpit, both helmets, pit crew, menu art logo and badge
      and pit box sign, then the tyres, treads and the pit lane order. The
      hardware picture is shown where there is one, else the software one;
      an empty slot shows "empty". --team T (0-10) draws that team alone,
      larger; --width W makes the picture W pixels wide (pictures scaled
      nearest neighbour, so pixels stay crisp). Writes nothing on a failure.

  thumbnail --size N IN OUT.png
      Writes the picture a file manager shows for a car set (its first
      team's livery and helmets over its title) or a JAM texture (its
      picture, software or hardware), at most N x N pixels (N 1-1024), as a
      PNG with the Thumb::MTime and Software keys. A damaged file fails
      and writes nothing. share/thumbnailers/tavolex.thumbnailer runs this.

  game make-sample DIR [--credit TEXT] [--masks DATA-DIR]
      Writes a complete synthetic game installation into DIR, for trying
      the editor and for tests. With --credit (26 printable characters) its
      GP3.EXE and menu art archive carry that credit text instead of the
      identification bytes built in, as a real game's may. With --masks the
      pit crew upgrade's masks for the sample's own textures go into
      DATA-DIR/pitcrew-masks (DATA-DIR as the editor's data folder).
  game find
      Prints JSON: the installations the editor's first run lists, a list of
      folder, exe_status, exe_identified_by and save_file_valid. It looks for
      GP3.EXE (any case) a few folders deep under $WINEPREFIX, ~/.wine, the
      Lutris, Bottles and PlayOnLinux prefixes and the drives mounted under
      /mnt, /media and /run/media, for at most about a second.
  game info DIR
      Prints JSON: exe_status (-2 missing, -1 unsupported, 0 unreadable,
      1 supported), exe_identified_by and art_identified_by ("text" for the
      identification bytes built in, "contents" for a game recognised by its
      contents, null), save_file_valid, the expected files that are missing and
      pit_crew_files: "upgraded", "needs upgrade" or "no masks".
  game pitcrew-upgrade DIR
      Recolours and stamps the game's pit crew textures as the editor does at
      start-up, with the masks of its data folder (pitcrew-masks/19000.bin to
      19010.bin), printing each file upgraded. Fails without all masks.
  game pitcrew-mask DIR N OUT.BMP
  game pitcrew-mask DIR N IN.BMP --write
      Writes pit crew texture N (0-10) of the game as a 24-bit picture,
      320 pixels wide: the texture in its own colours and, to its right, a
      legend of the marker colours (mask values 242, 243, 245, 246, 247, 252,
      253 and 254 from the top). With --write, such a picture (BMP or PNG),
      painted in the marker colours over the areas, becomes
      pitcrew-masks/190NN.bin in the editor's data folder: 0 where the
      texture's own colour shows, the marker's value where it is painted;
      any other colour is refused with the pixel's position.
  game teams DIR
      Prints the team data an import from the game would read, as JSON.
  game art DIR TEAM OUT.BMP
  game art DIR TEAM IN.BMP --write
      Exports team TEAM's (0-10) menu art sheet as a 1024 x 650 bitmap (PNG
      for a .png name), or writes such a bitmap or PNG into the game's menu
      art archive. The archive is checked and expanded first (the previous
      one is kept as .old).
  game settings DIR
  game settings DIR --write FILE.json
  game settings DIR --defaults
      Prints the game's settings as JSON: damage (26 values), driver_aids
      (5 masks), cameras (9 lists of 10, angles in degrees), points (22),
      player_car_power, opposition_spread and level_names (5 texts); a value
      the game does not hold is null (the executable's settings unless it is
      the supported version, the spread without an intact save file, a name
      whose language file cannot be read). A folder without GP3.EXE fails.
      --write takes the keys present in FILE (any of them) into the game; a
      null level name leaves its file alone; a file that exists but cannot
      be written fails. --defaults prints the defaults instead.
  game import DIR IN.GP3 OUT.GP3 [--items LIST]
      Takes the chosen shares of the installed game into the car set IN.GP3
      and saves it as OUT.GP3: team and driver data, settings and helmets are
      read, the other pictures become the game's own. LIST is item numbers
      and ranges separated by commas (see below); without --items, all.
  game export IN.GP3 DIR [--items LIST]
      Writes the chosen shares of the car set into the game's files, with a
      progress bar on a terminal. Without --items: every picture the car set
      holds (not those taken from the game itself) and all data items.
      Both recognise GP3.EXE as the editor does, by the identification it
      remembered too; on an executable that cannot be read, items 800-810
      are refused before anything is written.

  Items of --items (T = team 0-10, K = tyre set 0-1):
      100+T / 200+T  car, software / hardware      111 / 211  helmets
      300+T / 350+T  cockpit, software / hardware  250+T      menu artwork
      370+T / 320+T  pit crew, software / hardware 114 / 214  pit boxes
      112+K / 212+K / 312+K  tyres software, hardware, treads
      800 team/engine names   801 car performance   802 car numbers
      803 driver names        804 driver performance 805 selected drivers
      806 car tyre types      807 pit crew colours  808 pit box positions
      809 car number positions 810 miscellaneous settings

  teams export IN.GP3 OUT.TXT
      Writes the car set's team data as a performance text file.
  teams import IN.GP3 FILE OUT.GP3
      Takes the team data of FILE (a performance text file .TXT, a .PER
      file or an old .GP2 car set) into the car set and saves it as OUT.GP3.

Options:
  -h, --help     show this help and exit
  --version      show the version and exit

Exit status: 0 on success, 1 on failure (the reason on stderr), 2 on bad usage.
)";

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::cerr << kUsage;
        return tavolex::cli::kBadUsage;
    }
    const std::string command = words.front();
    if (command == "-h" || command == "--help") {
        std::cout << kUsage;
        return tavolex::cli::kSuccess;
    }
    if (command == "--version") {
        std::cout << "tavolex-cli 1.10\n";
        return tavolex::cli::kSuccess;
    }
    words.erase(words.begin());
    if (command == "jam") {
        return tavolex::cli::RunJamCommand(std::move(words));
    }
    if (command == "carset") {
        return tavolex::cli::RunCarSetCommand(std::move(words));
    }
    if (command == "game") {
        return tavolex::cli::RunGameCommand(std::move(words));
    }
    if (command == "thumbnail") {
        return tavolex::cli::RunThumbnailCommand(std::move(words));
    }
    if (command == "teams") {
        return tavolex::cli::RunTeamsCommand(std::move(words));
    }
    return tavolex::cli::UsageError("unknown command '" + command + "'");
}
