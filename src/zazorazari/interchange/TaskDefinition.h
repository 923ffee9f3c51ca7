// A task as pilots' instruments and maps need it: its turnpoints in order
// with their role, position and cylinder radius, and its times. Read from a
// database file, checked, and stored back by the task file imports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabaseForward.h"
#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari {
namespace engine {
class Database;
class Recordset;
}

namespace interchange {

// ttpTimeGateType codes.
inline constexpr const char* kGateTakeoff = "TO";
inline constexpr const char* kGateStart = "SS";
inline constexpr const char* kGateTurnpoint = "TP";
inline constexpr const char* kGateEndOfSpeed = "ES";
inline constexpr const char* kGateGoal = "GOAL";
inline constexpr const char* kGateGoalLine = "GOAL-LINE";

struct TaskPoint {
  TurnpointEntry waypoint;  // name, code, position, altitude
  std::string gate;         // one of the codes above
  double radius = 0;        // metres
};

struct TaskDefinition {
  int32_t key = 0;
  std::string name;
  std::optional<double> date;  // date values: days since 30 December 1899
  std::optional<double> startOpen, startClose, endOfSpeedClose;
  bool elapsedTime = false;  // tasTaskType names an elapsed-time task
  std::vector<TaskPoint> points;

  // Index of the start of speed section, of its end; nothing without one.
  std::optional<size_t> Start() const;
  std::optional<size_t> EndOfSpeed() const;
  bool GoalLine() const { return !points.empty() && points.back().gate == kGateGoalLine; }
};

// ttpCircle of a tblTaskTurnpoint row; NULL in files of the older schema,
// which lack the column.
Variant CircleOf(engine::Recordset& visits);

// The stored task, checked: at least two turnpoints, the first the takeoff,
// the last the goal ("GOAL", "GOAL-LINE", or "ES" for a speed section that
// ends in goal), every one with latitude, longitude and a cylinder radius,
// at most one start and one end of speed section in that order. A fault
// fails with 5 naming the task, the turnpoint and what to do.
TaskDefinition ReadTaskDefinition(engine::Database& db, int32_t lPkTask);

// The same checks for a task read from a file; `where` names the file.
void CheckTaskDefinition(const TaskDefinition& task, const std::string& where);

// Stores the task's turnpoints (found by name or added through the turnpoint
// rules), its times and its turnpoint list in one task: a new one when
// lPkTask is 0. Returns the task's key. Runs inside the caller's transaction.
int32_t StoreTaskDefinition(CDatabase& db, engine::Database& engineDb, const TaskDefinition& task, int32_t lPkTask);

}  // namespace interchange
}  // namespace zazorazari
