// Catalogue merge, refused references, check's reference audit and repair,
// as a user runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

TEST(CliReferences, CopyCatalogMergesAndASecondRunAddsNothing) {
  ScratchDir dir;
  CreateFile(dir, "a1.mdb");
  CreateFile(dir, "a2.mdb");
  ASSERT_EQ(RunCli(dir, {"add", "a1.mdb", "doGlider", "manName=Ozone", "gliName=Enzo", "gliFAIClass=1"}).status, 0);
  const CliResult first = RunCli(dir, {"copy-catalog", "a1.mdb", "a2.mdb"});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_THAT(first.out, HasSubstr("tblGlider                  1       0           0       0\n"));
  const CliResult second = RunCli(dir, {"copy-catalog", "a1.mdb", "a2.mdb"});
  EXPECT_EQ(second.status, 0);
  EXPECT_THAT(second.out, HasSubstr("Nothing added or changed"));
  // Every file holds the seeded origin of unknown nation: the plain copy
  // stops there with the collision, and the glider copied before is undone.
  CreateFile(dir, "a3.mdb");
  const CliResult strict = RunCli(dir, {"copy-catalog", "a1.mdb", "a3.mdb", "--strict"});
  EXPECT_EQ(strict.status, 1);
  EXPECT_THAT(strict.err, HasSubstr("error -2147220989 (0x80040203)"));
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "a3.mdb", "doGlider", "--format", "csv"}).out), 1u);
}

TEST(CliReferences, RefusalsThenCheckAndRepair) {
  ScratchDir dir;
  CreateFile(dir, "c.mdb");
  const CliResult dangling = RunCli(dir, {"add", "c.mdb", "doTaskTurnpoint", "tasPk=77", "trnPk=99", "ttpNr=1"});
  EXPECT_EQ(dangling.status, 1);
  EXPECT_THAT(dangling.err, HasSubstr("tasPk 77: no row of tblTask"));
  EXPECT_EQ(RunCli(dir, {"check", "c.mdb"}).status, 0) << "nothing was written";

  ASSERT_EQ(RunCli(dir, {"add", "c.mdb", "doTask", "tasName=T1"}).out, "1\n");
  ASSERT_EQ(RunCli(dir, {"add", "c.mdb", "doTurnpoint", "trnName=TP", "trnID=T1", "trnPositionType=GEO"}).out, "1\n");
  ASSERT_EQ(RunCli(dir, {"add", "c.mdb", "doTaskTurnpoint", "tasPk=1", "trnPk=1", "ttpNr=1"}).status, 0);
  const CliResult inUse = RunCli(dir, {"delete", "c.mdb", "doTurnpoint", "1"});
  EXPECT_EQ(inUse.status, 1);
  EXPECT_THAT(inUse.err, HasSubstr("tblTaskTurnpoint 1"));

  // The described deletes leave the task turnpoint behind.
  ASSERT_EQ(RunCli(dir, {"delete", "c.mdb", "doTask", "1"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"delete", "c.mdb", "doTurnpoint", "1", "--force"}).status, 0);
  const CliResult check = RunCli(dir, {"check", "c.mdb", "--json"});
  EXPECT_EQ(check.status, 1);
  EXPECT_THAT(check.out, HasSubstr("\"description\": \"tblTaskTurnpoint 1, tasPk 1: no row of tblTask has that key.\""));
  EXPECT_THAT(check.out, HasSubstr("\"description\": \"tblTaskTurnpoint 1, trnPk 1: no row of tblTurnpoint has that key.\""));

  const CliResult dry = RunCli(dir, {"repair", "c.mdb", "--dry-run"});
  EXPECT_EQ(dry.status, 0);
  EXPECT_THAT(dry.out, HasSubstr("would: tblTaskTurnpoint 1: removed"));
  EXPECT_EQ(RunCli(dir, {"check", "c.mdb"}).status, 1);
  EXPECT_EQ(RunCli(dir, {"repair", "c.mdb"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"check", "c.mdb"}).status, 0);
}

}  // namespace
}  // namespace zaztest
