// The demo end to end: its summary, its files, and XML that xmllint accepts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

TEST(CliDemoCommand, BuildsExportsAndCopies) {
  ScratchDir dir;
  const CliResult demo = RunCli(dir, {"demo", "out", "--template-dir", TemplateDir()});
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.err, "");
  EXPECT_THAT(demo.out, HasSubstr("turnpoints   20 imported"));
  EXPECT_THAT(demo.out, HasSubstr("pilots       36 with 6 gliders"));
  EXPECT_THAT(demo.out, HasSubstr("tasks        2 with 12 task turnpoints"));
  EXPECT_THAT(demo.out, HasSubstr("results      36 filled for task 1 of 72 rows; task 2 has results: no"));
  EXPECT_THAT(demo.out, HasSubstr("catalogue    36 pilots copied, 144 attribute values"));

  const CliResult demoGoal = RunCli(
      dir, {"list", "out/competition.mdb", "doResult", "--where", "tasPk=1 AND resStatus='GOAL'", "--format", "csv"});
  EXPECT_GT(LineCount(demoGoal.out), 10u);
  for (const char* xml : {"competition.xml", "task1.xml", "task1-results.xml"}) {
    EXPECT_EQ(RunShell("xmllint --noout " + dir.File(std::string("out/") + xml)), 0) << xml;
  }
  EXPECT_THAT(RunCli(dir, {"info", "out/competition.mdb"}).out, HasSubstr("tblPilot:              36\n"));
  EXPECT_EQ(RunCli(dir, {"check", "out/catalog.mdb", "--expect", "catalog"}).status, 0);
  // The apostrophe and the umlauts went through the rules and the copy.
  const CliResult catalogPilots = RunCli(dir, {"list", "out/catalog.mdb", "doPilot", "--where",
                                                "pilLastName='O''Brien' OR pilLastName='Müller'"});
  EXPECT_THAT(catalogPilots.out, HasSubstr("\npilFirstName=Seán\n"));
  EXPECT_THAT(catalogPilots.out, HasSubstr("\npilFirstName=Jürgen\n"));
  EXPECT_THAT(RunCli(dir, {"collection", "out/competition.mdb", "docTaskTurnpoint", "2", "--format", "csv"}).out,
              HasSubstr(",ES,"));

  // The exported results bring back what a reset cleared.
  ASSERT_EQ(RunCli(dir, {"task", "out/competition.mdb", "1", "reset-results"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"task", "out/competition.mdb", "1", "has-results"}).out, "False\n");
  ASSERT_EQ(RunCli(dir, {"import-results", "out/competition.mdb", "out/task1-results.xml"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"task", "out/competition.mdb", "1", "has-results"}).out, "True\n");
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "out/competition.mdb", "doResult", "--where", "tasPk=1 AND resStatus='GOAL'",
                                   "--format", "csv"})
                          .out),
            LineCount(demoGoal.out));
}

}  // namespace
}  // namespace zaztest
