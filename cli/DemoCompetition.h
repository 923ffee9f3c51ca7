// The steps of the demo that fill the open competition file through the
// facade, as a scoring host would.
#pragma once

#include <cstdint>
#include <vector>

#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli::demo {

// Name, place, dates and the four pilot attributes.
void SetUpCompetition(CDatabase& db);

// Every demo pilot with glider, nation and attribute values; their keys.
std::vector<int32_t> AddPilots(CDatabase& db);

// The demo tasks with their turnpoint lists (the waypoints must have been
// imported); their keys.
std::vector<int32_t> AddTasks(CDatabase& db);

// Results for every pilot of a task: some in goal, some landed out, some
// absent. Returns the number of results written.
int32_t FillResults(CDatabase& db, int32_t task);

}  // namespace zazorazari::cli::demo
