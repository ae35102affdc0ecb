#pragma once

namespace tavolex {

// What an import or export between the car set and the game did: the
// pictures it took or wrote (a chosen picture that is empty, or the game's
// own on export, is not counted), and whether the team data, the settings
// and the car number positions went too. The editor tells it in its status bar.
struct TransferSummary {
    int pictures = 0;
    bool teamData = false;
    bool settings = false;
    bool numberPositions = false;
};

} // namespace tavolex
