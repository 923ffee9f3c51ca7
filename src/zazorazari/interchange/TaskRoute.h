// The optimised route of a checked task: where it touches each cylinder and
// how long its legs and its speed section are.
#pragma once

#include <vector>

#include "zazorazari/geodesy/OptimisedRoute.h"
#include "zazorazari/interchange/TaskDefinition.h"

namespace zazorazari::interchange {

struct TaskRoute {
  std::vector<geodesy::RoutePoint> points;  // one per task turnpoint
  std::vector<double> totals;               // metres from the takeoff to each point
  double distance = 0;                      // metres, takeoff to goal
  double speedSection = 0;                  // metres, start to end of speed section
};

// The route starts at the takeoff's centre and touches every following
// cylinder's circle in order; a goal line is reached at its centre.
TaskRoute RouteOf(const TaskDefinition& task);

}  // namespace zazorazari::interchange
