// A task as a SeeYou .cup file: its turnpoints, the task line and one
// observation zone per turnpoint with its cylinder radius.
#include <set>
#include <sstream>

#include "zazorazari/interchange/TaskFileWriters.h"

namespace zazorazari::interchange {

std::string TaskCupFile(const TaskDefinition& task, const TaskRoute&) {
  TurnpointFileContent content;
  content.task = TurnpointTask{task.name, {}, {}};
  std::set<std::string> written;
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    content.task->turnpoints.push_back(point.waypoint.name);
    content.task->zones.push_back({point.radius, i + 1 == task.points.size() && task.GoalLine()});
    if (written.insert(point.waypoint.name).second) content.turnpoints.push_back(point.waypoint);
  }
  std::ostringstream out;
  CupFormat().Write(out, content);
  return out.str();
}

}  // namespace zazorazari::interchange
