// The made-up competition the demo builds: pilots, gliders, clubs and two
// tasks over the turnpoints of examples/alps.wpt.
#pragma once

#include <string>
#include <vector>

namespace zazorazari::cli::demo {

struct Glider {
  const char* manufacturer;
  const char* model;
  const char* wingClass;
};

struct Pilot {
  const char* firstName;
  const char* lastName;
  const char* sex;
  const char* nation;  // ISO 3166 alpha-3
};

struct TaskTurnpoint {
  const char* name;  // a waypoint of alps.wpt
  const char* gate;  // ttpTimeGateType
  double radius;     // metres
};

struct Task {
  const char* name;
  int year, month, day;
  std::vector<TaskTurnpoint> turnpoints;
};

extern const char* const kCompetitionName;
extern const std::vector<std::string> kAttributeNames;  // the competition's four attributes
extern const std::vector<Glider> kGliders;
extern const std::vector<Pilot> kPilots;
extern const std::vector<const char*> kClubs;
extern const std::vector<const char*> kTeams;
extern const std::vector<Task> kTasks;

}  // namespace zazorazari::cli::demo
