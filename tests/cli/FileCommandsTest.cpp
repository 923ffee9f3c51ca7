// The file commands and the tool's error and usage conventions, run on real
// files through the built executable.
#include <filesystem>
#include <fstream>
#include <regex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

TEST(CliFileCommands, CreateInfoCheckCompactRename) {
  ScratchDir dir;
  CreateFile(dir, "cup.mdb");
  CreateFile(dir, "catalog.mdb", true);
  EXPECT_EQ(RunCli(dir, {"create", "cup.mdb", "--template-dir", TemplateDir()}).status, 1) << "replaced unasked";

  const CliResult info = RunCli(dir, {"info", "cup.mdb"});
  EXPECT_EQ(info.status, 0);
  EXPECT_THAT(info.out, HasSubstr("type:                  competition\n"));
  EXPECT_THAT(info.out, HasSubstr("file version:          600\n"));
  EXPECT_THAT(info.out, HasSubstr("tblCompetition:        1\n"));
  EXPECT_THAT(RunCli(dir, {"info", "catalog.mdb"}).out, HasSubstr("type:                  catalog\n"));

  const CliResult check = RunCli(dir, {"check", "cup.mdb"});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out, "file:                  competition\nintegrity:             ok\nreferences:            ok\n");
  EXPECT_EQ(RunCli(dir, {"check", "catalog.mdb", "--expect", "catalog"}).status, 0);
  const CliResult wrongKind = RunCli(dir, {"check", "cup.mdb", "--expect", "catalog"});
  EXPECT_EQ(wrongKind.status, 1);
  EXPECT_THAT(wrongKind.out, HasSubstr("not a catalog file"));
  std::ofstream(dir.File("notes.mdb")) << "not a database";
  EXPECT_EQ(RunCli(dir, {"check", "notes.mdb"}).status, 1);

  EXPECT_EQ(RunCli(dir, {"compact", "cup.mdb"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"rename", "cup.mdb", "cup-2026.mdb"}).status, 0);
  EXPECT_FALSE(fs::exists(dir.File("cup.mdb")));
  EXPECT_EQ(RunCli(dir, {"check", "cup-2026.mdb", "--expect", "competition"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"rename", "cup-2026.mdb", "catalog.mdb"}).status, 1) << "replaced unasked";
}

TEST(CliFileCommands, ErrorsAndUsage) {
  ScratchDir dir;
  const CliResult missing = RunCli(dir, {"info", "missing.mdb"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.out.empty());
  // A plain sentence, then the number in decimal and hex, the source, the message.
  EXPECT_TRUE(std::regex_match(missing.err,
                               std::regex("zazorazari: Cannot open [^\n]*missing\\.mdb[^<\n]*\n"
                                          "zazorazari: error -2147220981 \\(0x8004020B\\) "
                                          "ZAZorazari\\.CDatabase\\.OpenDB: [^\n]*missing\\.mdb[^\n]*\n")))
      << missing.err;
  const CliResult help = RunCli(dir, {"copy", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, HasSubstr("Example:\n  zazorazari copy "));

  // Slips in a command line are usage errors (2) of every command family.
  CreateFile(dir, "cup.mdb");
  const struct {
    std::vector<std::string> args;
    int status;
    const char* said;  // in the error or the output
  } cases[] = {
      {{"rename", "nothere.mdb", "y.mdb"}, 1, "'nothere.mdb' does not exist"},
      {{"lst", "cup.mdb", "doPilot"}, 2, "Did you mean 'list'?"},
      {{"help", "import-wpt"}, 0, "--yes"},
      {{"help", "imprt"}, 2, ""},
      {{"get", "cup.mdb", "doPilot"}, 2, ""},
      {{"list", "cup.mdb", "doPilot", "--format", "xml"}, 2, ""},
      {{"import-wpt", "cup.mdb", "none.wpt"}, 1, "'none.wpt' does not exist"},
      {{"import-wpt", "cup.mdb", "any.wpt", "--yes", "--no"}, 2, ""},
      {{"import", "cup.mdb", "any.xml", "--pilots", "--turnpoints"}, 2, ""},
      {{"import-pilots", "cup.mdb", "x.csv", "--map", "Surname"}, 2, ""},
      {{"export-pilots", "cup.mdb", "x.csv", "--separator", "|"}, 2, ""},
      {{"import-pilots", "cup.mdb", "x.csv"}, 1, "Cannot import pilots from 'x.csv'"},
      {{"import-turnpoints", "cup.mdb", "any.cup", "--format", "kml"}, 2, ""},
      {{"task", "cup.mdb", "1", "flight-time-needed"}, 2, ""},
      {{"task", "cup.mdb", "1", "fly"}, 2, ""},
      {{"task", "cup.mdb", "9", "results-type"}, 1, "cup.mdb has no task with key 9"},
      {{"utm", "north", "8"}, 2, ""},
  };
  for (const auto& c : cases) {
    const CliResult result = RunCli(dir, c.args);
    EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args[1] << ": " << result.err;
    EXPECT_THAT(result.err + result.out, HasSubstr(c.said)) << c.args[0];
  }
}

// The man page and the completion are written from the command definitions:
// every command is in both, with its options and choices.
TEST(CliFileCommands, ManPageAndCompletionFollowTheCommands) {
  ScratchDir dir;
  const std::string man = RunCli(dir, {"generate", "man"}).out;
  const std::string bash = RunCli(dir, {"generate", "bash-completion"}).out;
  const std::string help = RunCli(dir, {"help"}).out;
  for (const char* command : {"copy", "list", "fields", "utm"}) {
    EXPECT_THAT(help, HasSubstr(command));
    EXPECT_THAT(man, HasSubstr(std::string(".SS \"") + command)) << command;
    EXPECT_THAT(bash, HasSubstr(std::string("    ") + command + ") options=")) << command;
  }
  EXPECT_THAT(man, HasSubstr("\\fB\\-\\-overwrite\\fR"));
  EXPECT_THAT(bash, HasSubstr("copy:--overwrite) words=\"ask force skip\""));
  EXPECT_EQ(RunShell("bash -n -c \"$(" + std::string(ZAZ_CLI_PATH) + " generate bash-completion)\""), 0);
}

}  // namespace
}  // namespace zaztest
