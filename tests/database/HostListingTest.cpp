// The facade's listing, counting and checking calls for hosts on a real
// file, and the ready-made progress object.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/ErrorCapture.h"
#include "support/TestDatabase.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/NullProgress.h"

using namespace zazorazari;
using zaztest::CaughtError;
using zaztest::TestDatabase;

namespace {

std::vector<std::string> Names(const std::vector<CDataObjectPtr>& records) {
  std::vector<std::string> names;
  for (const auto& record : records) names.push_back(CStr(record->Fields("trnName")->Value()));
  return names;
}

}  // namespace

TEST(HostListing, ListsAnyTypeFilteredOrderedAndStopsWhenTold) {
  TestDatabase file;
  file.Sql("INSERT INTO tblTurnpoint (trnPk, trnName, trnID) VALUES (1, 'Zermatt', 'A'), (2, 'Arosa', 'B'), "
           "(3, 'Davos', 'C')");
  CDatabase& db = file.Db();
  EXPECT_EQ(Names(db.ListDataObjects("doTurnpoint")), (std::vector<std::string>{"Zermatt", "Arosa", "Davos"}));
  EXPECT_EQ(Names(db.ListDataObjects("doTurnpoint", "trnID <> 'B'", "trnName DESC")),
            (std::vector<std::string>{"Zermatt", "Davos"}));
  // A literal in the filter is a value, never SQL.
  EXPECT_TRUE(db.ListDataObjects("doTurnpoint", "trnName = 'x'' OR 1=1 --'").empty());

  auto records = db.ListDataObjects("doTurnpoint");
  EXPECT_EQ(records[0]->Name(), "doTurnpoint");
  EXPECT_TRUE(records[0]->Fields("trnName")->Required());
  int visited = 0;
  db.ForEachDataObject("doTurnpoint", [&](const CDataObjectPtr&) { return ++visited < 2; });
  EXPECT_EQ(visited, 2);
}

TEST(HostListing, RefusesWithTheNumbersAHostCanTell) {
  TestDatabase file;
  CDatabase& db = file.Db();
  EXPECT_EQ(CaughtError([&] { db.ListDataObjects("doNothing"); }).Number(), enumErrorUndefinedDataObject);
  EXPECT_EQ(CaughtError([&] { db.CollectionMemberType("doPilot"); }).Number(), enumErrorUndefinedDataObject);
  EXPECT_EQ(db.CollectionMemberType("docTaskTurnpoint"), "doTaskTurnpoint");
  EXPECT_EQ(CaughtError([&] { db.ListDataObjects("doPilot", "pilNoSuchColumn = 1"); }).Number(), 3265);
  EXPECT_EQ(CaughtError([&] { db.ListDataObjects("doPilot", "pilPk = = 1"); }).Number(), 3075);
  db.CloseDB();
  for (auto call : std::vector<std::function<void()>>{[&] { db.ListDataObjects("doPilot"); },
                                                     [&] { db.TableRowCounts(); }, [&] { db.IntegrityCheck(); }}) {
    EXPECT_EQ(CaughtError(call).Number(), 91);
  }
}

TEST(HostListing, CountsEveryTableInFileOrderAndChecksTheFile) {
  TestDatabase file;
  file.Sql("INSERT INTO tblTurnpoint (trnPk, trnName) VALUES (1, 'Arosa'), (2, 'Davos')");
  const auto counts = file.Db().TableRowCounts();
  ASSERT_EQ(counts.size(), static_cast<size_t>(file.Count("sqlite_schema", "type='table' AND name NOT LIKE 'sqlite%'")));
  EXPECT_EQ(counts.front().first, file.Scalar("SELECT name FROM sqlite_schema WHERE type='table' ORDER BY rowid"));
  for (const auto& [table, rows] : counts) EXPECT_EQ(rows, file.Count(table)) << table;
  EXPECT_EQ(file.Db().IntegrityCheck(), "ok");
}

// The exports and imports the fuzz inputs run report to it (SetInfo).
TEST(HostListing, NullProgressAnswersLikeAFormNobodyCancels) {
  auto progress = std::make_shared<NullProgress>();
  EXPECT_FALSE(CBool(GetProperty(progress, "CancelPressed")));
  EXPECT_EQ(CaughtError([&] { CallMethod(progress, "Show"); }).Number(), 438);
}
