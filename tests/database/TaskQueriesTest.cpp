// The task and result queries of the facade on real files, including keys
// without a task and the errors they pass through unwrapped.
#include <gtest/gtest.h>

#include "rules/RuleTestHelpers.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

void AddGates(const TestDatabase& t, int32_t task, const std::vector<std::string>& gates) {
  for (size_t i = 0; i < gates.size(); ++i) {
    t.Sql("INSERT INTO tblTaskTurnpoint (tasPk, ttpNr, ttpTimeGateType) VALUES (" + std::to_string(task) + ", " +
          std::to_string(i + 1) + ", " + (gates[i].empty() ? "NULL" : "'" + gates[i] + "'") + ")");
  }
}

}  // namespace

TEST(TaskQueries, Questions) {
  TestDatabase t;
  CDatabase& db = t.Db();
  AddPilot(db, "Meier", "Anna");
  AddPilot(db, "Keller", "Beat");
  const int32_t task = AddTask(db, "T1");
  const int32_t plain = AddTask(db, "T2");
  const int32_t missing = plain + 10;
  t.Sql("UPDATE tblTask SET tasResultsType = 'Final' WHERE tasPk = " + std::to_string(task));

  EXPECT_EQ(db.TaskResultsType(task), "Final");
  EXPECT_EQ(CaughtError([&] { db.TaskResultsType(missing); }).Number(), errEngineNoCurrentRecord);
  t.Sql("UPDATE tblTask SET tasResultsType = NULL WHERE tasPk = " + std::to_string(plain));
  EXPECT_EQ(CaughtError([&] { db.TaskResultsType(plain); }).Number(), errInvalidUseOfNull);

  // NULL and "NYP" statuses are no results; anything else is.
  t.Sql("UPDATE tblResult SET resStatus = 'NYP'");
  EXPECT_FALSE(db.TaskHasResults(task));
  t.Sql("UPDATE tblResult SET resStatus = NULL WHERE tasPk = " + std::to_string(task));
  EXPECT_FALSE(db.TaskHasResults(task));
  t.Sql("UPDATE tblResult SET resStatus = 'DNF' WHERE resPk = (SELECT MIN(resPk) FROM tblResult WHERE tasPk = " +
        std::to_string(task) + ")");
  EXPECT_TRUE(db.TaskHasResults(task));
  EXPECT_FALSE(db.TaskHasResults(missing));

  AddGates(t, task, {"", "", "", "ES", ""});
  AddGates(t, plain, {"", "SS"});
  EXPECT_EQ(db.TaskTurnpointCount(task), 5);
  EXPECT_EQ(db.TaskTurnpointCount(missing), 0);
  EXPECT_FALSE(db.FlightTimeNeeded(task, 3));
  EXPECT_TRUE(db.FlightTimeNeeded(task, 4));
  EXPECT_TRUE(db.FlightTimeNeeded(task, 5));
  EXPECT_FALSE(db.FlightTimeNeeded(plain, 99));
  EXPECT_FALSE(db.FlightTimeNeeded(missing, 99));
}

TEST(TaskQueries, BulkChanges) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t anna = AddPilot(db, "Meier", "Anna");
  const int32_t task = AddTask(db, "T1");
  const int32_t other = AddTask(db, "T2");

  const double start = DateSerial(2024, 7, 1) + TimeSerial(13, 0, 0);
  t.Sql("UPDATE tblResult SET resStatus = 'DNF'");
  db.CloseDB();
  db.OpenDB();
  db.AssignStartTimeToPilots(task, start);
  EXPECT_NEAR(std::stod(t.Scalar("SELECT resSSTime FROM tblResult WHERE tasPk=" + std::to_string(task))), start, 1e-9);
  EXPECT_EQ(t.Count("tblResult", "resSSTime IS NOT NULL"), 1);

  db.SetTaskRecomputingFlag(other);
  EXPECT_EQ(t.Count("tblTask", "tasNeedsComputing = -1"), 1);
  db.SetTaskRecomputingFlag(0);
  EXPECT_EQ(t.Count("tblTask", "tasNeedsComputing = -1"), 2);
  EXPECT_FALSE(db.IsModified());

  // Reset: rows of a deleted pilot go, every current pilot gets a fresh row.
  const int32_t beat = AddPilot(db, "Keller", "Beat");
  const int32_t gone = AddPilot(db, "Roth", "Carla");
  t.Sql("DELETE FROM tblPilot WHERE pilPk = " + std::to_string(gone));
  db.ResetTaskResults(task);
  EXPECT_EQ(t.Count("tblResult", "tasPk=" + std::to_string(task)), 2);
  EXPECT_EQ(t.Count("tblResult", "tasPk=" + std::to_string(task) + " AND pilPk IN (" + std::to_string(anna) + "," +
                                     std::to_string(beat) + ") AND resStatus IS NULL AND resSSTime IS NULL"),
            2);
  EXPECT_EQ(t.Count("tblResult", "tasPk=" + std::to_string(other)), 3);

  // A key without a task still gets a row per pilot.
  db.ResetTaskResults(other + 10);
  EXPECT_EQ(t.Count("tblResult", "tasPk=" + std::to_string(other + 10)), 2);
}
