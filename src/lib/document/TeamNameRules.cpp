#include "document/TeamNameRules.h"

#include "core/TextEncoding.h"

namespace tavolex {

Error CheckTeamNames(const CarSet& carSet) {
    for (const TeamRecord& team : carSet.teams) {
        bool refused =
            ContainsControlCharacter(team.teamName.view()) || ContainsControlCharacter(team.engineName.view());
        for (const DriverRecord& driver : team.drivers) {
            refused = refused || ContainsControlCharacter(driver.name.view());
        }
        if (refused) {
            return Error::ControlCharacter;
        }
    }
    return Error::None;
}

Error KeepTeamsIfNamesAllowed(CarSet& carSet) {
    const Error error = CheckTeamNames(carSet);
    if (!Ok(error)) {
        RestoreTeams(carSet);
    }
    return error;
}

} // namespace tavolex
