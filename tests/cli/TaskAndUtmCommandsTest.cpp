// The task questions and bulk changes on a task built with the record
// commands, and the UTM conversion of the command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

std::string Task(const ScratchDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), {"task", "cup.mdb"});
  const CliResult result = RunCli(dir, args);
  EXPECT_EQ(result.status, 0) << result.err;
  return result.out;
}

TEST(CliTaskCommands, QuestionsAndResultChanges) {
  ScratchDir dir;
  CreateFile(dir, "cup.mdb");
  ASSERT_EQ(RunCli(dir, {"import-wpt", "cup.mdb", SourceDir() + "/examples/alps.wpt"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Anna", "pilLastName=Huber", "pilSex=F"}).status,
            0);
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doTask", "tasName=Task 1", "tasResultsType=Race"}).out, "1\n");
  const char* gates[] = {"SS", "TP", "ES", "GOAL"};
  for (int nr = 1; nr <= 4; ++nr) {
    ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doTaskTurnpoint", "tasPk=1", "trnPk=" + std::to_string(nr),
                           "ttpNr=" + std::to_string(nr), std::string("ttpTimeGateType=") + gates[nr - 1]})
                  .status,
              0);
  }
  EXPECT_EQ(Task(dir, {"1", "results-type"}), "Race\n");
  EXPECT_EQ(Task(dir, {"1", "turnpoints"}), "4\n");
  EXPECT_EQ(Task(dir, {"1", "flight-time-needed", "2"}), "False\n");
  EXPECT_EQ(Task(dir, {"1", "flight-time-needed", "3"}), "True\n");
  EXPECT_EQ(Task(dir, {"1", "has-results"}), "False\n");
  // Each bulk change reaches its own call: the one field it sets.
  const auto field = [&](const char* type, const char* column) {
    return RunCli(dir, {"list", "cup.mdb", type, "--columns", column, "--format", "csv"}).out;
  };
  Task(dir, {"1", "assign-start", "12:30:00"});
  EXPECT_EQ(field("doResult", "resSSTime"), "resSSTime\n12:30:00\n");
  Task(dir, {"1", "reset-results"});
  EXPECT_EQ(field("doResult", "resSSTime"), "resSSTime\n\n");
  Task(dir, {"0", "recompute"});
  EXPECT_EQ(field("doTask", "tasNeedsComputing"), "tasNeedsComputing\nTrue\n");
}

TEST(CliUtmCommand, ZoneBandAndGridMetres) {
  ScratchDir dir;
  // Reference values from GeographicLib's GeoConvert.
  EXPECT_EQ(RunCli(dir, {"utm", "46.5586", "7.8358"}).out, "32 T 410765 5156773\n");
  EXPECT_EQ(RunCli(dir, {"utm", "-33.9249", "18.4241"}).out, "34 H 261882 6243182\n");
  const CliResult outside = RunCli(dir, {"utm", "95", "200"});
  EXPECT_EQ(outside.status, 1);
  EXPECT_EQ(outside.out, "");
  EXPECT_THAT(outside.err, HasSubstr("latitude between -90 and 90"));
  EXPECT_THAT(RunCli(dir, {"utm", "85", "8"}).err, HasSubstr("UTM covers 80°S to 84°N"));
}

}  // namespace
}  // namespace zaztest
