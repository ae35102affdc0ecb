#include "TeamsJson.h"

#include "core/TextEncoding.h"

namespace tavolex::cli {

nlohmann::ordered_json TeamsToJson(const std::array<TeamRecord, kTeamCount>& teams) {
    using Json = nlohmann::ordered_json;
    Json list = Json::array();
    for (const TeamRecord& team : teams) {
        Json destinations = Json::array();
        for (const NumberPoint& p : team.numberDestinations) {
            destinations.push_back({{"x", p.x}, {"y", p.y}});
        }
        Json sources = Json::array();
        for (const auto& car : team.numberSources) {
            Json views = Json::array();
            for (const NumberRect& r : car) {
                views.push_back({{"x", r.x}, {"y", r.y}, {"width", r.width}, {"height", r.height}});
            }
            sources.push_back(views);
        }
        Json drivers = Json::array();
        for (int d = 0; d < kDriversPerTeam; ++d) {
            const DriverRecord& driver = team.drivers[static_cast<std::size_t>(d)];
            drivers.push_back({{"name", Windows1252ToUtf8(driver.name.view())},
                               {"number", team.carNumbers[static_cast<std::size_t>(d)]},
                               {"qualifying_performance", driver.qualifyingPerformance},
                               {"race_performance", driver.racePerformance},
                               {"qualifying_range", driver.qualifyingRange},
                               {"race_range", driver.raceRange},
                               {"selected", driver.selected != 0}});
        }
        list.push_back({{"name", Windows1252ToUtf8(team.teamName.view())},
                        {"engine", Windows1252ToUtf8(team.engineName.view())},
                        {"qualifying_power", team.qualifyingPower},
                        {"race_power", team.racePower},
                        {"failure", team.failureProbability},
                        {"tyre_type", team.tyreType},
                        {"crew_colours", team.pitCrewColours},
                        {"pit_box_position", team.pitBoxPosition},
                        {"number_destinations", destinations},
                        {"number_sources", sources},
                        {"drivers", drivers}});
    }
    return list;
}

} // namespace tavolex::cli
