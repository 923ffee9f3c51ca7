// The interchange commands on real files: waypoint import and its question,
// XML export accepted by xmllint and imported into a fresh file, copies
// between files with and without overwriting.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

const std::string kWaypoints = SourceDir() + "/examples/alps.wpt";

size_t Rows(const ScratchDir& dir, const std::string& file, const std::string& type) {
  return LineCount(RunCli(dir, {"list", file, type, "--format", "csv"}).out) - 1;
}

TEST(CliInterchangeCommands, WaypointsXmlAndCopies) {
  ScratchDir dir;
  CreateFile(dir, "cup.mdb");
  ASSERT_EQ(RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints}).status, 0);
  EXPECT_EQ(Rows(dir, "cup.mdb", "doTurnpoint"), 20u);
  EXPECT_THAT(RunCli(dir, {"get", "cup.mdb", "doTurnpoint", "1"}).out, HasSubstr("\ntrnPositionMapZone=32\n"));
  // Names already there: without a terminal the question is answered no, or by the flag.
  EXPECT_THAT(RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints}).err, HasSubstr("Overwrite old waypoints? no"));
  EXPECT_THAT(RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints, "--yes"}).err,
              HasSubstr("Overwrite old waypoints? yes"));
  EXPECT_EQ(Rows(dir, "cup.mdb", "doTurnpoint"), 20u);
  EXPECT_EQ(RunCli(dir, {"import-wpt", "cup.mdb", kWaypoints, "--yes", "--no"}).status, 2);

  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Käthi", "pilLastName=Zürcher", "pilSex=F",
                         "manName=Gin", "gliName=Boomerang 12", "natCode3=CHE"})
                .status,
            0);
  ASSERT_EQ(RunCli(dir, {"export", "cup.mdb", "cup.xml"}).status, 0);
  EXPECT_EQ(RunShell("xmllint --noout " + dir.File("cup.xml")), 0);
  // An existing file only with --force, and never a database.
  EXPECT_THAT(RunCli(dir, {"export", "cup.mdb", "cup.xml"}).err, HasSubstr("add --force"));
  EXPECT_EQ(RunCli(dir, {"export", "cup.mdb", "cup.xml", "--force"}).status, 0);
  EXPECT_THAT(RunCli(dir, {"export", "cup.mdb", "cup.mdb", "--force"}).err, HasSubstr("is a database file"));
  CreateFile(dir, "copy.mdb");
  ASSERT_EQ(RunCli(dir, {"import", "copy.mdb", "cup.xml"}).status, 0);
  EXPECT_EQ(Rows(dir, "copy.mdb", "doTurnpoint"), 20u);
  EXPECT_EQ(Rows(dir, "copy.mdb", "doPilot"), 1u);
  EXPECT_EQ(RunCli(dir, {"import", "copy.mdb", "cup.xml", "--pilots", "--turnpoints"}).status, 2);

  CreateFile(dir, "catalog.mdb", true);
  ASSERT_EQ(RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1"}).status, 0);
  EXPECT_EQ(Rows(dir, "catalog.mdb", "doPilot"), 1u);
  EXPECT_THAT(RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1"}).err,
              HasSubstr("skipped 'Käthi Zürcher': already in the target"));
  const CliResult forced = RunCli(dir, {"copy", "cup.mdb", "catalog.mdb", "doPilot", "1", "--overwrite", "force"});
  EXPECT_EQ(forced.err, "");
  EXPECT_EQ(Rows(dir, "catalog.mdb", "doPilot"), 1u);
  EXPECT_THAT(RunCli(dir, {"list", "catalog.mdb", "doPilot"}).out, HasSubstr("pilPk=2\n"));

  // Every file holds the seeded origin of unknown nation: the copy stops
  // there with the collision, and the gliders copied before are undone.
  CreateFile(dir, "fresh.mdb");
  const CliResult catalog = RunCli(dir, {"copy-catalog", "catalog.mdb", "fresh.mdb"});
  EXPECT_EQ(catalog.status, 1);
  EXPECT_THAT(catalog.err, HasSubstr("error -2147220989 (0x80040203)"));
  EXPECT_EQ(Rows(dir, "fresh.mdb", "doGlider"), 0u);
  EXPECT_EQ(RunCli(dir, {"copy-catalog", "missing.mdb", "fresh.mdb"}).status, 1);
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
