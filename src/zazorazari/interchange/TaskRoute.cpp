// The optimised route of a task (see TaskRoute.h).
#include "zazorazari/interchange/TaskRoute.h"

namespace zazorazari::interchange {

TaskRoute RouteOf(const TaskDefinition& task) {
  std::vector<geodesy::RouteTarget> targets;
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    // A goal line lies across the last leg, so its nearest point from
    // there is its centre.
    const bool line = i + 1 == task.points.size() && task.GoalLine();
    targets.push_back({point.waypoint.latitude, point.waypoint.longitude, line ? 0.0 : point.radius});
  }
  TaskRoute route;
  route.points = geodesy::OptimisedRoute(targets);
  double total = 0;
  for (const auto& point : route.points) route.totals.push_back(total += point.leg);
  route.distance = route.totals.empty() ? 0 : route.totals.back();
  const size_t start = task.Start().value_or(0);
  const size_t end = task.EndOfSpeed().value_or(task.points.size() - 1);
  route.speedSection = route.totals.empty() ? 0 : route.totals[end] - route.totals[start];
  return route;
}

}  // namespace zazorazari::interchange
