// The task actions that work on task files and distances, for the task
// command to dispatch to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CommandSet.h"
#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli {

// `task FILE N distance`: computes, stores and prints the optimised distance.
void PrintTaskDistance(CDatabase& db, int32_t task);

// `task FILE N map OUT.svg`: the task's A4 map.
void WriteTaskMap(CDatabase& db, int32_t task, const std::string& path);

// The demo's files of a task in `dir` (.xctsk, QR code PNG, SVG map), after
// storing the optimised distance of every task in `tasks`; returns the paths.
std::vector<std::string> WriteDemoTaskFiles(CDatabase& db, const std::vector<int32_t>& tasks, const std::string& dir,
                                            const GlobalOptions& options);

}  // namespace zazorazari::cli
