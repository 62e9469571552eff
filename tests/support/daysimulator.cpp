#include "daysimulator.h"

#include "simulation.h"

namespace zanpel::test {

TSimulationResult SimulateDays(TChoices& choices, const std::string& folder, int days) {
    TSimulation simulation(choices, folder);
    return simulation.Run(days);
}

} // namespace zanpel::test
