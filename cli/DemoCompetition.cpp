// Filling the demo competition: every write goes through CDatabase.
#include "DemoCompetition.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "DemoData.h"
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli::demo {

namespace {

constexpr double kSecondsPerDay = 86400.0;

void Set(CDataObject& record, const char* field, const Variant& value) { record.Fields(field)->SetValue(value); }

Variant DateTime(int year, int month, int day, int hour = 0, int minute = 0) {
  return Variant::Date(DateSerial(year, month, day) + TimeSerial(hour, minute, 0));
}

struct GridPoint {
  int32_t key;
  double easting;
  double northing;
};

// The imported waypoints by name, with their UTM position (all lie in one zone).
std::map<std::string, GridPoint> TurnpointsByName(CDatabase& db) {
  std::map<std::string, GridPoint> found;
  for (const auto& row : db.ListDataObjects("doTurnpoint")) {
    found[CStr(row->Fields("trnName")->Value())] = {CLng(row->Fields("trnPk")->Value()),
                                                     CDbl(row->Fields("trnPositionEastings")->Value()),
                                                     CDbl(row->Fields("trnPositionNorthings")->Value())};
  }
  return found;
}

double LegKm(const GridPoint& from, const GridPoint& to) {
  return std::hypot(to.easting - from.easting, to.northing - from.northing) / 1000.0;
}

}  // namespace

void SetUpCompetition(CDatabase& db) {
  CDataObjectPtr competition = db.GetDataObject("doCompetition", 1);
  Set(*competition, "comName", kCompetitionName);
  Set(*competition, "comLocation", "Interlaken, Switzerland");
  Set(*competition, "comDateFrom", DateTime(2026, 7, 13));
  Set(*competition, "comDateTo", DateTime(2026, 7, 19));
  Set(*competition, "comFAIClass", Variant(3));
  for (size_t i = 0; i < kAttributeNames.size(); ++i) {
    Set(*competition, ("attName" + std::to_string(i + 1)).c_str(), kAttributeNames[i]);
  }
  db.UpdateDataObject(*competition, enumOverwriteRaiseError);
}

std::vector<int32_t> AddPilots(CDatabase& db) {
  std::vector<int32_t> keys;
  for (size_t i = 0; i < kPilots.size(); ++i) {
    const Pilot& p = kPilots[i];
    const Glider& g = kGliders[i % kGliders.size()];
    const int born = 1966 + static_cast<int>(i * 7 % 34);
    CDataObjectPtr pilot = db.CreateDataObject("doPilot");
    Set(*pilot, "pilFirstName", p.firstName);
    Set(*pilot, "pilLastName", p.lastName);
    Set(*pilot, "pilSex", p.sex);
    Set(*pilot, "pilBirthday", DateTime(born, 1 + static_cast<int>(i % 12), 1 + static_cast<int>(i * 3 % 28)));
    Set(*pilot, "pilNumber", Variant(static_cast<int32_t>(101 + i)));
    Set(*pilot, "pilIDGlobal", "CIVL-" + std::to_string(20417 + 37 * i));
    Set(*pilot, "manName", g.manufacturer);
    Set(*pilot, "gliName", g.model);
    Set(*pilot, "natCode3", p.nation);
    Set(*pilot, "avaValue1", kClubs[i % kClubs.size()]);
    Set(*pilot, "avaValue2", kTeams[i % kTeams.size()]);
    Set(*pilot, "avaValue3", born < 1976 ? "Senior" : "Open");
    Set(*pilot, "avaValue4", g.wingClass);
    keys.push_back(db.AddDataObject(*pilot, enumOverwriteRaiseError));
  }
  return keys;
}

std::vector<int32_t> AddTasks(CDatabase& db) {
  const auto turnpoints = TurnpointsByName(db);
  std::vector<int32_t> keys;
  for (const Task& t : kTasks) {
    std::vector<double> totals{0.0};
    for (size_t j = 1; j < t.turnpoints.size(); ++j) {
      totals.push_back(totals.back() +
                       LegKm(turnpoints.at(t.turnpoints[j - 1].name), turnpoints.at(t.turnpoints[j].name)));
    }
    CDataObjectPtr task = db.CreateDataObject("doTask");
    Set(*task, "tasName", t.name);
    Set(*task, "tasDate", DateTime(t.year, t.month, t.day));
    Set(*task, "tasResultsType", "Race");
    Set(*task, "tasTaskType", "Race to goal");
    Set(*task, "tasStartType", "Air");
    Set(*task, "tasPositionType", "GEO");
    Set(*task, "tasDistance", totals.back());
    Set(*task, "tasSSDistance", totals.back() - totals[1]);
    Set(*task, "tasSSOpen", DateTime(t.year, t.month, t.day, 12, 30));
    Set(*task, "tasSSClose", DateTime(t.year, t.month, t.day, 13, 30));
    Set(*task, "tasESClose", DateTime(t.year, t.month, t.day, 18, 0));
    Set(*task, "tasNeedsComputing", Variant(true));
    const int32_t key = db.AddDataObject(*task, enumOverwriteRaiseError);

    CDataObjectCollectionPtr list = db.CreateDataObjectCollection("docTaskTurnpoint");
    for (size_t j = 0; j < t.turnpoints.size(); ++j) {
      const TaskTurnpoint& tp = t.turnpoints[j];
      CDataObjectPtr member = db.CreateDataObject("doTaskTurnpoint");
      const int32_t nr = static_cast<int32_t>(j + 1);
      Set(*member, "tasPk", Variant(key));
      Set(*member, "trnPk", Variant(turnpoints.at(tp.name).key));
      Set(*member, "trnName", tp.name);
      Set(*member, "ttpNr", Variant(nr));
      Set(*member, "ttpNrText", tp.gate);
      Set(*member, "ttpTimeGateType", tp.gate);
      Set(*member, "ttpCircle", tp.radius);
      Set(*member, "ttpDistanceDiff", j == 0 ? 0.0 : totals[j] - totals[j - 1]);
      Set(*member, "ttpDistanceTotal", totals[j]);
      list->Add(member, Variant(std::to_string(nr)));
    }
    list->SetSelectorValue(key);
    db.UpdateDataObjectCollection(*list);
    keys.push_back(key);
  }
  return keys;
}

int32_t FillResults(CDatabase& db, int32_t task) {
  CDataObjectPtr taskRecord = db.GetDataObject("doTask", task);
  const double distance = CDbl(taskRecord->Fields("tasDistance")->Value());
  const double ssDistance = CDbl(taskRecord->Fields("tasSSDistance")->Value());
  const double ssOpen = CDate(taskRecord->Fields("tasSSOpen")->Value());
  const int32_t turnpointCount = db.TaskTurnpointCount(task);

  auto results = db.ListDataObjects("doResult", "tasPk=" + std::to_string(task), "pilPk");
  std::vector<std::pair<double, CDataObjectPtr>> scored;
  for (size_t i = 0; i < results.size(); ++i) {
    CDataObject& result = *results[i];
    if (i % 12 == 7) {
      Set(result, "resStatus", "ABS");
      scored.emplace_back(0.0, results[i]);
      continue;
    }
    double score = 0;
    if (i % 4 == 3) {
      const double flown = distance * (0.3 + 0.5 * static_cast<double>(i * 37 % 100) / 100.0);
      Set(result, "resStatus", "LO");
      Set(result, "resTurnpointsReached", Variant(static_cast<int32_t>(1 + i % (turnpointCount - 2))));
      Set(result, "resDistance", flown);
      Set(result, "resReachedES", Variant(false));
      score = 600.0 * flown / distance;
    } else {
      const double seconds = 5400.0 + 97.0 * static_cast<double>(i);
      Set(result, "resStatus", "GOAL");
      Set(result, "resTurnpointsReached", Variant(turnpointCount));
      Set(result, "resDistance", distance);
      Set(result, "resReachedES", Variant(true));
      Set(result, "resSSTime", Variant::Date(ssOpen));
      Set(result, "resESTime", Variant::Date(ssOpen + seconds / kSecondsPerDay));
      Set(result, "resTime", Variant::Date(seconds / kSecondsPerDay));
      Set(result, "resSpeed", ssDistance / (seconds / 3600.0));
      score = 1000.0 * 5400.0 / seconds;
    }
    Set(result, "resScore", std::round(score));
    scored.emplace_back(score, results[i]);
  }
  std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (size_t place = 0; place < scored.size(); ++place) {
    Set(*scored[place].second, "resPlace", Variant(static_cast<int32_t>(place + 1)));
    db.UpdateDataObject(*scored[place].second, enumOverwriteRaiseError);
  }
  return static_cast<int32_t>(scored.size());
}

}  // namespace zazorazari::cli::demo
