// Task, task turnpoint and result writes through the facade: the result and
// formula rows of a task, turnpoint lists stored as new rows, and results
// that can only be modified.
#include <gtest/gtest.h>

#include "rules/RuleTestHelpers.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRuleObjects.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

void AddTaskTurnpoints(const TestDatabase& t, int32_t task, int count) {
  for (int nr = 1; nr <= count; ++nr) {
    t.Sql("INSERT INTO tblTaskTurnpoint (tasPk, trnPk, ttpNr) VALUES (" + std::to_string(task) + ", 1, " +
          std::to_string(nr) + ")");
  }
}

CDataObjectPtr ResultOf(CDatabase& db, const TestDatabase& t, int32_t pilot, int32_t task) {
  const std::string key = t.Scalar("SELECT resPk FROM tblResult WHERE pilPk=" + std::to_string(pilot) +
                                   " AND tasPk=" + std::to_string(task));
  return db.GetDataObject("doResult", std::stoi(key));
}

}  // namespace

TEST(TaskRules, TaskBringsResultAndFormulaRows) {
  TestDatabase t;
  CDatabase& db = t.Db();
  for (const char* name : {"A", "B", "C", "D", "E"}) AddPilot(db, name, "x");
  const int32_t task = AddTask(db, "T1");
  EXPECT_EQ(t.Count("tblResult", "tasPk=" + std::to_string(task)), 5);
  EXPECT_EQ(t.Count("tblFormulaTask", "tasPk=" + std::to_string(task)), 1);
  EXPECT_EQ(db.TaskFormulaParameter(0, task), "p=T1");

  auto record = db.GetDataObject("doTask", task);
  record->Fields("fotParameter")->SetValue("changed");
  EXPECT_EQ(db.UpdateDataObject(*record, enumOverwriteRaiseError), task);
  EXPECT_EQ(t.Count("tblFormulaTask"), 1);
  EXPECT_EQ(db.TaskFormulaParameter(0, task), "changed");
  const int32_t second = AddTask(db, "T2");
  ExpectOneResultPerPilotAndTask(t);

  // Deleting a task takes its results only.
  AddTaskTurnpoints(t, task, 2);
  db.DeleteDataObject("doTask", task, true);
  EXPECT_EQ(t.Count("tblTask"), 1);
  ExpectOneResultPerPilotAndTask(t);
  EXPECT_EQ(t.Count("tblTaskTurnpoint", "tasPk=" + std::to_string(task)), 2);
  EXPECT_EQ(t.Count("tblFormulaTask", "tasPk=" + std::to_string(task)), 1);
  EXPECT_EQ(CaughtError([&] { db.DeleteDataObject("doTask", task, false); }).Number(), enumErrorDeleteDataObject);
  EXPECT_EQ(t.Count("tblResult", "tasPk=" + std::to_string(second)), 5);
}

TEST(TaskRules, TurnpointListIsStoredAsNewRows) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t task = AddTask(db, "T1");
  const int32_t other = AddTask(db, "T2");
  AddTaskTurnpoints(t, task, 4);
  AddTaskTurnpoints(t, other, 2);

  auto list = db.GetDataObjectCollection("docTaskTurnpoint", task);
  ASSERT_EQ(list->Count(), 4);
  list->Remove(Variant("2"));
  db.UpdateDataObjectCollection(*list);
  EXPECT_EQ(t.Count("tblTaskTurnpoint", "tasPk=" + std::to_string(task)), 3);
  EXPECT_EQ(t.Count("tblTaskTurnpoint", "tasPk=" + std::to_string(task) + " AND ttpPk <= 6"), 0);
  EXPECT_EQ(t.Scalar("SELECT group_concat(ttpNr) FROM (SELECT ttpNr FROM tblTaskTurnpoint WHERE tasPk=" +
                     std::to_string(task) + " ORDER BY ttpPk)"),
            "1,3,4");
  EXPECT_EQ(t.Count("tblTaskTurnpoint", "tasPk=" + std::to_string(other)), 2);

  // One turnpoint on its own: modified in place, deleted by key.
  auto single = db.GetDataObject("doTaskTurnpoint", 7);
  single->Fields("ttpTimeGateType")->SetValue("ES");
  EXPECT_EQ(db.UpdateDataObject(*single, enumOverwriteRaiseError), 7);
  EXPECT_EQ(t.Scalar("SELECT ttpTimeGateType FROM tblTaskTurnpoint WHERE ttpPk=7"), "ES");
  db.DeleteDataObject("doTaskTurnpoint", 7, false);
  EXPECT_EQ(t.Count("tblTaskTurnpoint", "ttpPk=7"), 0);
}

TEST(TaskRules, ResultsAreOnlyModified) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t pilot = AddPilot(db, "Meier", "Anna");
  const int32_t task = AddTask(db, "T1");
  auto result = ResultOf(db, t, pilot, task);
  const int32_t key = CLng(result->Fields("resPk")->Value());

  SetFields(*result, {{"resStatus", "OK"}, {"gedName", "WGS 84"}});
  EXPECT_EQ(db.UpdateDataObject(*result, enumOverwriteRaiseError), key);
  EXPECT_EQ(t.Scalar("SELECT geoPk FROM tblResult WHERE resPk=" + std::to_string(key)), "243");

  result->Fields("gedName")->SetValue("Local Datum");
  db.AddDataObject(*result, enumOverwriteRaiseError);  // adding a result modifies it
  EXPECT_EQ(t.Scalar("SELECT gedName FROM tblGeoDate g JOIN tblResult r ON r.geoPk = g.gedPk"), "Local Datum");
  result->Fields("gedName")->SetValue(Variant::Null());
  db.UpdateDataObject(*result, enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT geoPk FROM tblResult WHERE resPk=" + std::to_string(key)), "");
  EXPECT_EQ(t.Count("tblResult"), 1);

  Variant added = FacadeInternals::Rules(db).Result().Update(enumUpdateNew, *result, enumOverwriteRaiseError);
  ASSERT_TRUE(added.IsError());
  EXPECT_EQ(added.ErrorCode(), enumInternalErrorFunctionNotSupported);

  SetFields(*result, {{"pilPk", pilot + 1}, {"resStatus", "DNF"}});
  EXPECT_EQ(CaughtError([&] { db.UpdateDataObject(*result, enumOverwriteRaiseError); }).Number(),
            enumErrorResultNotFound);
  EXPECT_EQ(t.Count("tblResult", "resStatus = 'DNF'"), 0);
}
