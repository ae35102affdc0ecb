#include "pages/PageTable.h"

#include "pages/ArtworkPage.h"
#include "pages/CarsPage.h"
#include "pages/CockpitsPage.h"
#include "pages/HelmetsPage.h"
#include "pages/MiscellaneousPage.h"
#include "pages/PerformancePage.h"
#include "pages/PitBoxesPage.h"
#include "pages/PitCrewPage.h"
#include "pages/TeamsPage.h"
#include "pages/WheelsPage.h"

namespace tavolex::editor {

namespace {

template <typename Page> QWidget* Make(EditorState& state, UiServices& ui, QWidget* parent) {
    return new Page(state, ui, parent);
}

} // namespace

const std::array<PageEntry, 10>& PageTable() {
    static const std::array<PageEntry, 10> kPages = {{
        {"Teams", true, Make<TeamsPage>},
        {"Performance", false, Make<PerformancePage>},
        {"Cars", true, Make<CarsPage>},
        {"Helmets", false, Make<HelmetsPage>},
        {"Artwork", true, Make<ArtworkPage>},
        {"Cockpits", true, Make<CockpitsPage>},
        {"Pit Crews", true, Make<PitCrewPage>},
        {"Pit Boxes", true, Make<PitBoxesPage>},
        {"Wheels", false, Make<WheelsPage>},
        {"Miscellaneous", false, Make<MiscellaneousPage>},
    }};
    return kPages;
}

} // namespace tavolex::editor
