// The record commands on a real competition file: text, CSV and JSON
// output, input from pairs and from standard input, refusals and deletes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <regex>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(CliRecordCommands, AddGetUpdateListDelete) {
  ScratchDir dir;
  CreateFile(dir, "cup.mdb");
  EXPECT_THAT(RunCli(dir, {"new", "cup.mdb", "doTask"}).out, HasSubstr("\ntasName=\n"));

  const CliResult first = RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Seán", "pilLastName=O'Brien",
                                       "pilSex=M", "natCode3=IRL", "pilNumber=7", "pilBirthday=24.12.1980"});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, "1\n");

  // Standard input in the record text form, CR LF or LF ended; the number is taken.
  const std::string anna = "pilFirstName=Anna\r\npilLastName=Huber\npilSex=F\npilNumber=7\n";
  const CliResult taken = RunCli(dir, {"add", "cup.mdb", "doPilot"}, anna);
  EXPECT_EQ(taken.status, 1);
  EXPECT_THAT(taken.err, HasSubstr("held by the record with key 1"));
  EXPECT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot"}, anna + "pilNumber=8\n").out, "2\n");
  EXPECT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Anna", "pilLastName=Huber", "pilSex=F",
                         "--overwrite", "return"})
                .out,
            "2\n");

  const CliResult text = RunCli(dir, {"get", "cup.mdb", "doPilot", "1"});
  EXPECT_THAT(text.out, StartsWith("pilPk=1\n"));
  EXPECT_THAT(text.out, HasSubstr("\npilLastName=O'Brien\n"));
  EXPECT_THAT(text.out, HasSubstr("\npilBirthday=24.12.1980\n"));
  const auto json = nlohmann::json::parse(RunCli(dir, {"get", "cup.mdb", "doPilot", "1", "--format", "json"}).out);
  EXPECT_EQ(json["pilFirstName"], "Seán");
  EXPECT_EQ(json["pilNumber"], 7.0);
  EXPECT_EQ(json["pilBirthday"], "1980-12-24");
  EXPECT_EQ(json["natCode3"], "IRL");
  EXPECT_TRUE(json["pilSponsor"].is_null());

  EXPECT_EQ(RunCli(dir, {"update", "cup.mdb", "doPilot", "2", "pilSponsor=Club \"Aigle\", Bex"}).out, "2\n");
  const CliResult csv = RunCli(dir, {"list", "cup.mdb", "doPilot", "--order", "pilNumber DESC", "--format", "csv"});
  ASSERT_EQ(LineCount(csv.out), 3u) << csv.err;
  EXPECT_THAT(csv.out, StartsWith("pilPk,pilIDGlobal,pilFirstName,pilLastName,"));
  EXPECT_THAT(csv.out, HasSubstr("\n2,,Anna,Huber,F,,8,"));
  EXPECT_THAT(csv.out, HasSubstr(",\"Club \"\"Aigle\"\", Bex\","));
  EXPECT_EQ(RunCli(dir, {"update", "cup.mdb", "doPilot", "2", "pilSponsor="}).status, 0);
  EXPECT_THAT(RunCli(dir, {"get", "cup.mdb", "doPilot", "2"}).out, HasSubstr("\npilSponsor=\n"));

  const CliResult filtered = RunCli(dir, {"list", "cup.mdb", "doPilot", "--where", "pilLastName=\"O'Brien\""});
  EXPECT_THAT(filtered.out, StartsWith("pilPk=1\n"));
  EXPECT_EQ(filtered.out.find("pilPk=2"), std::string::npos);
  EXPECT_EQ(RunCli(dir, {"collection", "cup.mdb", "docPilotAttribute", "1", "--format", "json"}).out, "[]\n");

  EXPECT_EQ(RunCli(dir, {"update", "cup.mdb", "doPilot", "2", "pilNumber=many"}).status, 1);
  EXPECT_EQ(RunCli(dir, {"delete", "cup.mdb", "doPilot", "1"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"get", "cup.mdb", "doPilot", "1"}).status, 1);
}

// A pilot, a task with its result row and the turnpoints of a waypoint file.
void OneResult(const ScratchDir& dir) {
  CreateFile(dir, "cup.mdb");
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilFirstName=Anna", "pilLastName=Huber", "pilSex=F"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doTask", "tasName=Task 1"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"import-wpt", "cup.mdb", SourceDir() + "/examples/alps.wpt"}).status, 0);
}

std::string Field(const ScratchDir& dir, const std::string& type, const std::string& name, int key = 1) {
  const CliResult got = RunCli(dir, {"get", "cup.mdb", type, std::to_string(key), "--format", "json"});
  return got.status == 0 ? nlohmann::json::parse(got.out)[name].dump() : got.err;
}

// A value is stored as given, or refused with the field, the value and the
// rule before anything is written (exit 1); a slip in a name is usage (2).
TEST(CliRecordCommands, ValuesAreCheckedBeforeTheWrite) {
  ScratchDir dir;
  OneResult(dir);
  const struct {
    std::vector<std::string> args;
    int status;
    const char* message;
  } cases[] = {
      {{"update", "cup.mdb", "doResult", "1", "resTurnpointsReached=99999999999"}, 1,
       "resTurnpointsReached: '99999999999' is not a whole number between -2147483648 and 2147483647"},
      {{"update", "cup.mdb", "doResult", "1", "resTurnpointsReached=1e10"}, 1, "is not a whole number"},
      {{"update", "cup.mdb", "doResult", "1", "resReachedES=maybe"}, 1, "is not True, False, Yes, No, -1 or 0"},
      {{"add", "cup.mdb", "doPilot", "pilLastName=Y", "natCode3=XXX"}, 1, "natCode3: 'XXX' is not in cup.mdb"},
      {{"add", "cup.mdb", "doTaskTurnpoint", "tasPk=1", "trnName=Nowhere", "ttpNr=1"}, 1,
       "trnName: 'Nowhere' is not in cup.mdb"},
      {{"add", "cup.mdb", "doPilot"}, 1, "no Name=Value line"},
      {{"add", "cup.mdb", "doPilto", "pilLastName=Y"}, 2, "Did you mean 'doPilot'?"},
      {{"add", "cup.mdb", "doPilot", "pilLastNmae=Y"}, 2, "no field 'pilLastNmae'. Did you mean 'pilLastName'?"},
      {{"list", "cup.mdb", "doPilot", "--where", "pilLastNmae='Y'"}, 2, "no column 'pilLastNmae'"},
      {{"list", "cup.mdb", "doPilot", "--where", "pilBirthday > 'soon'"}, 2, "pilBirthday is a date"},
      {{"get", "cup.mdb", "doPilot", "1", "--columns", "pilPk,pilLastNmae"}, 2, "Did you mean 'pilLastName'?"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunCli(dir, c.args);
    EXPECT_EQ(result.status, c.status) << c.args[3] << ": " << result.err;
    EXPECT_THAT(result.err, HasSubstr(c.message));
  }
  EXPECT_EQ(Field(dir, "doResult", "resTurnpointsReached"), "null");
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "cup.mdb", "doPilot", "--format", "csv"}).out), 2u);
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "cup.mdb", "doTaskTurnpoint", "--format", "csv"}).out), 1u);

  // Yes is a boolean; 2.5 is rounded to even and the tool says so.
  ASSERT_EQ(RunCli(dir, {"update", "cup.mdb", "doResult", "1", "resReachedES=Yes"}).status, 0);
  EXPECT_EQ(Field(dir, "doResult", "resReachedES"), "true");
  const CliResult rounded = RunCli(dir, {"update", "cup.mdb", "doResult", "1", "resTurnpointsReached=2.5"});
  EXPECT_THAT(rounded.err, HasSubstr("is stored as 2"));
  EXPECT_EQ(Field(dir, "doResult", "resTurnpointsReached"), "2");

  // A nation code and a turnpoint's name become the keys they name.
  ASSERT_EQ(RunCli(dir, {"update", "cup.mdb", "doPilot", "1", "natCode3=AUT", "pilBirthday=1980-12-24"}).status, 0);
  EXPECT_EQ(Field(dir, "doPilot", "natCode3"), "\"AUT\"");
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doTaskTurnpoint", "tasPk=1", "trnName=INTERLAKEN", "ttpNr=1"}).status, 0);
  EXPECT_EQ(Field(dir, "doTaskTurnpoint", "trnPk"), "3");

  // Dates in filters compare as dates, whatever form they are written in.
  for (const char* where : {"pilBirthday > '1980-01-01'", "pilBirthday < '01.01.1981'"}) {
    EXPECT_THAT(RunCli(dir, {"list", "cup.mdb", "doPilot", "--where", where}).out, StartsWith("pilPk=1\n")) << where;
  }
}

TEST(CliRecordCommands, TextFormRoundTripsAndOutputForms) {
  ScratchDir dir;
  OneResult(dir);
  const std::string memo = "line1\nline2=evil\\n\r";
  ASSERT_EQ(RunCli(dir, {"update", "cup.mdb", "doPilot", "1", "pilComment=" + memo}).status, 0);
  const std::string text = RunCli(dir, {"get", "cup.mdb", "doPilot", "1"}).out;
  EXPECT_THAT(text, HasSubstr("\npilComment=line1\\nline2=evil\\\\n\\r\n"));
  // The record under another name and without its key, fed back to add.
  const std::string copy =
      std::regex_replace(text.substr(text.find('\n') + 1), std::regex("pilFirstName=[^\n]*"), "pilFirstName=Berta");
  ASSERT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot"}, copy).out, "2\n");
  EXPECT_EQ(nlohmann::json::parse(RunCli(dir, {"get", "cup.mdb", "doPilot", "2", "--format", "json"}).out)["pilComment"],
            memo);

  EXPECT_EQ(RunCli(dir, {"list", "cup.mdb", "doPilot", "--columns", "pilPk,pilLastName", "--format", "table"}).out,
            "pilPk  pilLastName\n-----  -----------\n1      Huber\n2      Huber\n");
  ASSERT_EQ(RunCli(dir, {"update", "cup.mdb", "doResult", "1", "resSSTime=13:05:00"}).status, 0);
  EXPECT_EQ(Field(dir, "doResult", "resSSTime"), "\"13:05:00\"");
  EXPECT_EQ(Field(dir, "doTurnpoint", "trnPositionLatitudeSecond", 3), "10.68");

  const CliResult fields = RunCli(dir, {"fields", "doResult"});
  ASSERT_EQ(fields.status, 0) << fields.err;
  EXPECT_THAT(fields.out, HasSubstr("resTurnpointsReached"));
  EXPECT_THAT(fields.out, HasSubstr("NYP = not yet a result"));
}

}  // namespace
}  // namespace zaztest
