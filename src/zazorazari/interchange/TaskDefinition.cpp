// Reading, checking and storing a task for the task file exports and imports
// (see TaskDefinition.h).
#include "zazorazari/interchange/TaskDefinition.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/TurnpointAdder.h"
#include "zazorazari/platform/Clock.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

// A stored turnpoint of the file's name may differ from the file's position
// by the rounding of the QR form (1e-5 degrees) and no more.
constexpr double kSamePositionDegrees = 2e-5;

std::string Upper(std::string text) {
  text.erase(0, text.find_first_not_of(" \t"));
  text.erase(text.find_last_not_of(" \t") + 1);
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

std::optional<double> Optional(const Variant& value) {
  return value.IsNull() ? std::nullopt : std::optional<double>(CDbl(value));
}

std::string TurnpointPlace(const std::string& where, size_t index, const TaskPoint& point) {
  return where + ", turnpoint " + std::to_string(index + 1) + " '" + point.waypoint.name + "'";
}

// Unknown or empty codes are ordinary turnpoints.
std::string GateOf(const Variant& stored) {
  const std::string code = stored.IsNull() ? std::string() : Upper(CStr(stored));
  for (const char* known : {kGateTakeoff, kGateStart, kGateEndOfSpeed, kGateGoal, kGateGoalLine}) {
    if (code == known) return code;
  }
  return kGateTurnpoint;
}

std::optional<size_t> IndexOfGate(const TaskDefinition& task, const char* gate) {
  for (size_t i = 0; i < task.points.size(); ++i) {
    if (task.points[i].gate == gate) return i;
  }
  return std::nullopt;
}

}  // namespace

Variant CircleOf(engine::Recordset& visits) {
  for (int32_t i = 0; i < visits.FieldCount(); ++i) {
    if (visits.Fields(i).Name() == "ttpCircle") return visits.Fields(i).Value();
  }
  return Variant::Null();
}

std::optional<size_t> TaskDefinition::Start() const { return IndexOfGate(*this, kGateStart); }
std::optional<size_t> TaskDefinition::EndOfSpeed() const { return IndexOfGate(*this, kGateEndOfSpeed); }

void CheckTaskDefinition(const TaskDefinition& task, const std::string& where) {
  const auto fault = [&](const std::string& place, const std::string& detail) {
    return PlacedError(errInvalidProcedureCall, place, detail);
  };
  if (task.points.size() < 2) {
    throw fault(where, "a task needs a takeoff and a goal; it has " + std::to_string(task.points.size()) +
                           " turnpoint(s)");
  }
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    const std::string place = TurnpointPlace(where, i, point);
    if (!std::isfinite(point.radius) || point.radius <= 0) {
      throw fault(place, "no cylinder radius (ttpCircle); give it the radius in metres");
    }
    const bool first = i == 0, last = i + 1 == task.points.size();
    if (first != (point.gate == kGateTakeoff)) {
      throw fault(place, first ? "the first turnpoint must be the takeoff (ttpTimeGateType TO), where the task is "
                                 "measured from"
                               : "only the first turnpoint can be the takeoff (TO)");
    }
    const bool goal = point.gate == kGateGoal || point.gate == kGateGoalLine;
    if (last != (goal || (last && point.gate == kGateEndOfSpeed))) {
      throw fault(place, last ? "the last turnpoint must be the goal (ttpTimeGateType GOAL, GOAL-LINE, or ES when "
                                "the speed section ends in goal)"
                              : "only the last turnpoint can be the goal");
    }
  }
  const auto start = task.Start(), end = task.EndOfSpeed();
  const auto count = [&](const char* gate) {
    return std::count_if(task.points.begin(), task.points.end(), [&](const TaskPoint& p) { return p.gate == gate; });
  };
  if (count(kGateStart) > 1 || count(kGateEndOfSpeed) > 1) {
    throw fault(where, "a task has one start of speed section (SS) and one end (ES) at most");
  }
  if (start && end && *end < *start) throw fault(where, "the end of speed section (ES) comes before its start (SS)");
}

TaskDefinition ReadTaskDefinition(engine::Database& db, int32_t lPkTask) {
  const std::string where = "task " + std::to_string(lPkTask);
  const std::string taskCriteria = SqlEqualNumber("tasPk", lPkTask);
  TaskDefinition task;
  task.key = lPkTask;
  {
    auto rs = db.OpenRecordset("SELECT * FROM tblTask WHERE " + taskCriteria, engine::dbOpenSnapshot);
    if (rs->IsEOF()) throw PlacedError(errInvalidProcedureCall, where, "no such task");
    const Variant name = rs->Fields("tasName").Value();
    task.name = name.IsNull() ? "Task " + std::to_string(lPkTask) : CStr(name);
    task.date = Optional(rs->Fields("tasDate").Value());
    task.startOpen = Optional(rs->Fields("tasSSOpen").Value());
    task.startClose = Optional(rs->Fields("tasSSClose").Value());
    task.endOfSpeedClose = Optional(rs->Fields("tasESClose").Value());
    const Variant type = rs->Fields("tasTaskType").Value();
    task.elapsedTime = !type.IsNull() && Upper(CStr(type)).find("ELAPSED") != std::string::npos;
    rs->Close();
  }
  auto visits = db.OpenRecordset("SELECT * FROM tblTaskTurnpoint WHERE " + taskCriteria + " ORDER BY ttpNr",
                                 engine::dbOpenSnapshot);
  for (; !visits->IsEOF(); visits->MoveNext()) {
    TaskPoint point;
    point.gate = GateOf(visits->Fields("ttpTimeGateType").Value());
    const Variant radius = CircleOf(*visits);
    point.radius = radius.IsNull() ? 0 : CDbl(radius);
    const Variant trnPk = visits->Fields("trnPk").Value();
    auto rs = db.OpenRecordset("SELECT * FROM tblTurnpoint WHERE " + SqlEqualNumber("trnPk", trnPk),
                               engine::dbOpenSnapshot);
    const bool found = !rs->IsEOF();
    const Variant latitude = found ? rs->Fields("trnPositionLatitudeDecimal").Value() : Variant::Null();
    const Variant longitude = found ? rs->Fields("trnPositionLongitudeDecimal").Value() : Variant::Null();
    point.waypoint.name = found && !rs->Fields("trnName").Value().IsNull() ? CStr(rs->Fields("trnName").Value())
                                                                             : "key " + CStr(trnPk);
    if (latitude.IsNull() || longitude.IsNull()) {
      throw PlacedError(errInvalidProcedureCall, TurnpointPlace(where, task.points.size(), point),
                        found ? "no latitude and longitude (a UTM grid position only); store its geographic position"
                              : "no such turnpoint");
    }
    const Variant code = rs->Fields("trnID").Value();
    point.waypoint.code = code.IsNull() ? std::string() : CStr(code);
    point.waypoint.latitude = CDbl(latitude);
    point.waypoint.longitude = CDbl(longitude);
    point.waypoint.altitude = Optional(rs->Fields("trnPositionAltitude").Value());
    rs->Close();
    task.points.push_back(std::move(point));
  }
  visits->Close();
  CheckTaskDefinition(task, where);
  return task;
}

namespace {

void CheckStoredPosition(engine::Database& db, int32_t trnPk, const TaskPoint& point, size_t index) {
  auto rs = db.OpenRecordset("SELECT * FROM tblTurnpoint WHERE " + SqlEqualNumber("trnPk", trnPk),
                             engine::dbOpenSnapshot);
  const Variant latitude = rs->Fields("trnPositionLatitudeDecimal").Value();
  const Variant longitude = rs->Fields("trnPositionLongitudeDecimal").Value();
  rs->Close();
  const bool same = !latitude.IsNull() && !longitude.IsNull() &&
                    std::fabs(CDbl(latitude) - point.waypoint.latitude) <= kSamePositionDegrees &&
                    std::fabs(CDbl(longitude) - point.waypoint.longitude) <= kSamePositionDegrees;
  if (!same) {
    throw PlacedError(errInvalidProcedureCall, TurnpointPlace("file", index, point),
                      "a turnpoint of this name is stored at another position; rename one of them");
  }
}

// A time of day from the file on the task's day.
Variant OnDay(double day, const std::optional<double>& timeOfDay) {
  if (!timeOfDay) return Variant::Null();
  return Variant::Date(std::floor(day) + (*timeOfDay - std::floor(*timeOfDay)));
}

}  // namespace

int32_t StoreTaskDefinition(CDatabase& db, engine::Database& engineDb, const TaskDefinition& task, int32_t lPkTask) {
  TurnpointAdder adder(db, engineDb);
  std::vector<Refusal> refusals;
  std::vector<int32_t> turnpointKeys;
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    const auto key = adder.Add(point.waypoint, enumOverwriteReturnPk, refusals);
    if (!key) {
      throw PlacedError(enumErrorTurnpointIDExists, TurnpointPlace("file", i, point),
                        "its identifier '" + point.waypoint.code + "' belongs to another turnpoint");
    }
    CheckStoredPosition(engineDb, *key, point, i);
    turnpointKeys.push_back(*key);
  }

  CDataObjectPtr record;
  if (lPkTask != 0) {
    auto rs = engineDb.OpenRecordset("SELECT * FROM tblTask WHERE " + SqlEqualNumber("tasPk", lPkTask),
                                     engine::dbOpenSnapshot);
    const bool exists = !rs->IsEOF();
    rs->Close();
    if (!exists) throw PlacedError(errInvalidProcedureCall, "task " + std::to_string(lPkTask), "no such task");
    record = db.GetDataObject("doTask", lPkTask);
  } else {
    record = db.CreateDataObject("doTask");
    record->Fields("tasName")->SetValue(task.name);
    record->Fields("tasDate")->SetValue(Variant::Date(std::floor(task.date ? *task.date : Now())));
    record->Fields("tasPositionType")->SetValue("GEO");
  }
  const Variant storedType = record->Fields("tasTaskType")->Value();
  const bool storedElapsed = !storedType.IsNull() && Upper(CStr(storedType)).find("ELAPSED") != std::string::npos;
  if (lPkTask == 0 || storedElapsed != task.elapsedTime) {
    record->Fields("tasTaskType")->SetValue(task.elapsedTime ? "Elapsed time" : "Race to goal");
  }
  const Variant day = record->Fields("tasDate")->Value();
  const double date = day.IsNull() ? std::floor(Now()) : CDbl(day);
  record->Fields("tasSSOpen")->SetValue(OnDay(date, task.startOpen));
  record->Fields("tasESClose")->SetValue(OnDay(date, task.endOfSpeedClose));
  const int32_t key = lPkTask != 0 ? (db.UpdateDataObject(*record, enumOverwriteForce), lPkTask)
                                   : db.AddDataObject(*record, enumOverwriteRaiseError);

  CDataObjectCollectionPtr list = db.CreateDataObjectCollection("docTaskTurnpoint");
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    CDataObjectPtr member = db.CreateDataObject("doTaskTurnpoint");
    const int32_t nr = static_cast<int32_t>(i + 1);
    member->Fields("tasPk")->SetValue(Variant(key));
    member->Fields("trnPk")->SetValue(Variant(turnpointKeys[i]));
    member->Fields("trnName")->SetValue(point.waypoint.name);
    member->Fields("ttpNr")->SetValue(Variant(nr));
    member->Fields("ttpNrText")->SetValue(point.gate);
    member->Fields("ttpTimeGateType")->SetValue(point.gate);
    member->Fields("ttpCircle")->SetValue(point.radius);
    list->Add(member, Variant(std::to_string(nr)));
  }
  list->SetSelectorValue(key);
  db.UpdateDataObjectCollection(*list);
  return key;
}

}  // namespace zazorazari::interchange
