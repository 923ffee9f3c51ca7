// Host transactions: several facade calls reach the file together or not at
// all; an inner transaction undoes only its own part.
#include <gtest/gtest.h>

#include "rules/RuleTestHelpers.h"

using namespace zazorazari;
using namespace zaztest;

TEST(HostTransaction, CallsReachTheFileOnlyAtCommit) {
  TestDatabase t;
  CDatabase& db = t.Db();
  {
    CDatabase::Transaction transaction(db);
    AddPilot(db, "Meier", "Hans");
    AddTask(db, "Task 1");
    EXPECT_EQ(t.Count("tblPilot"), 0);  // another connection sees nothing yet
    EXPECT_EQ(CaughtError([&] { db.CloseDB(); }).Number(), enumErrorClose);
    transaction.Commit();
  }
  EXPECT_EQ(t.Count("tblPilot"), 1);
  ExpectOneResultPerPilotAndTask(t);
}

TEST(HostTransaction, LeftWithoutCommitNothingStaysAndAnInnerOneUndoesItsOwnPart) {
  TestDatabase t;
  CDatabase& db = t.Db();
  try {
    CDatabase::Transaction transaction(db);
    AddPilot(db, "Meier", "Hans");
    throw std::runtime_error("the host gives up");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(t.Count("tblPilot"), 0);

  CDatabase::Transaction outer(db);
  AddPilot(db, "Kept", "Before");
  {
    CDatabase::Transaction inner(db);
    AddPilot(db, "Undone", "Inner");
    inner.Rollback();
  }
  {
    CDatabase::Transaction inner(db);
    AddPilot(db, "Kept", "Inner");
    inner.Commit();
  }
  outer.Commit();
  EXPECT_EQ(t.Scalar("SELECT group_concat(pilFirstName) FROM tblPilot"), "Before,Inner");
  db.CloseDB();
  EXPECT_EQ(CaughtError([&] { CDatabase::Transaction none(db); }).Number(), 91);
}
