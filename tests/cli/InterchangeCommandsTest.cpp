// The interchange commands on real files: waypoint import and its question,
// XML export accepted by xmllint and imported into a fresh file, copies
// between files with and without overwriting.
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

const std::string kWaypoints = SourceDir() + "/examples/alps.wpt";

TEST(CliInterchangeCommands, WaypointsXmlAndCopies) {
  ScratchDir dir;
  CreateFile(dir, "cup.mdb");
  const CliResult imported = RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_THAT(imported.out, HasSubstr("20 turnpoints added, at altitude 0"));
  // Names already there: without a terminal a flag must answer the question.
  const CliResult unanswered = RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints});
  EXPECT_EQ(unanswered.status, 1);
  EXPECT_THAT(unanswered.err, HasSubstr("Add --yes"));
  EXPECT_EQ(RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints, "--no"}).status, 0);
  EXPECT_THAT(RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints, "--yes"}).err,
              HasSubstr("Overwrite old waypoints? yes"));

  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Käthi", "pilLastName=Zürcher", "pilSex=F"}).status,
            0);
  ASSERT_EQ(RunCli(dir, {"export", "cup.mdb", "cup.xml"}).status, 0);
  EXPECT_EQ(RunShell("xmllint --noout " + dir.File("cup.xml")), 0);
  // An existing file only with --force.
  EXPECT_THAT(RunCli(dir, {"export", "cup.mdb", "cup.xml"}).err, HasSubstr("add --force"));
  EXPECT_EQ(RunCli(dir, {"export", "cup.mdb", "cup.xml", "--force"}).status, 0);
  CreateFile(dir, "copy.mdb");
  EXPECT_THAT(RunCli(dir, {"import", "copy.mdb", "cup.xml"}).out, HasSubstr("1 to tblPilot"));

  CreateFile(dir, "catalog.mdb", true);
  ASSERT_EQ(RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1"}).status, 0);
  // Without a terminal nobody answers "ask": skipped, and the flag that answers is named.
  const CliResult asked = RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1"});
  EXPECT_EQ(asked.status, 1);
  EXPECT_THAT(asked.err, HasSubstr("skipped 'Käthi Zürcher': already in the target"));
  EXPECT_THAT(asked.err, HasSubstr("add --overwrite skip or --overwrite force"));
  const CliResult forced = RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1", "--overwrite", "force"});
  EXPECT_EQ(forced.err, "");
  EXPECT_THAT(forced.out, HasSubstr("1 overwritten, 0 skipped"));

  // A task that is not there is refused, and nothing is written.
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doTask", "tasName=Task 1"}).out, "1\n");
  for (const char* command : {"export-results", "export-task"}) {
    const CliResult missingTask = RunCli(dir, {command, "cup.mdb", "99", "out.xml"});
    EXPECT_EQ(missingTask.status, 1) << command;
    EXPECT_THAT(missingTask.err, HasSubstr("cup.mdb has no task with key 99")) << command;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.xml"))) << command;
  }
  ASSERT_EQ(RunCli(dir, {"export-results", "cup.mdb", "1", "results.xml"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"import-results", "cup.mdb", "results.xml"}).out, "task 1: 0 of 1 results changed\n");
  EXPECT_THAT(RunCli(dir, {"import-results", "copy.mdb", "results.xml"}).err,
              HasSubstr("copy.mdb has no task with key 1"));
}

// At a terminal the copy asks; "overwrite all" overwrites this record and
// every later one without asking again. (`script` gives the tool a terminal.)
TEST(CliInterchangeCommands, OverwriteAllAtATerminal) {
  ScratchDir dir;
  CreateFile(dir, "cup.mdb");
  CreateFile(dir, "catalog.mdb", true);
  for (const char* name : {"pilLastName=Huber", "pilLastName=Bauer"}) {
    ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Anna", name, "pilSex=F"}).status, 0);
  }
  ASSERT_EQ(RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1", "2"}).status, 0);
  const std::string copy = std::string(ZAZ_CLI_PATH) + " copy cup.mdb catalog.mdb doPilot 1 2";
  ASSERT_EQ(RunShell("cd " + dir.Path().string() + " && printf 'O\\n' | script -qec '" + copy +
                     "' /dev/null > terminal.txt"),
            0);
  const std::string keys = RunCli(dir, {"list", "catalog.mdb", "doPilot", "--format", "csv"}).out;
  EXPECT_THAT(keys, HasSubstr("\n3,"));
  EXPECT_THAT(keys, HasSubstr("\n4,"));
  EXPECT_EQ(LineCount(keys), 3u);
}

}  // namespace
}  // namespace zaztest
