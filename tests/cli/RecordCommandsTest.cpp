// The record commands on a real competition file: text, CSV and JSON
// output, input from pairs and from standard input, refusals and deletes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

  EXPECT_EQ(RunCli(dir, {"add", "cup.mdb", "doPilot", "pilShoeSize=44"}).status, 2);
  EXPECT_EQ(RunCli(dir, {"update", "cup.mdb", "doPilot", "2", "pilNumber=many"}).status, 1);
  EXPECT_EQ(RunCli(dir, {"delete", "cup.mdb", "doPilot", "1"}).status, 0);
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "cup.mdb", "doPilot", "--format", "csv"}).out), 2u);
  EXPECT_EQ(RunCli(dir, {"get", "cup.mdb", "doPilot", "1"}).status, 1);
}

}  // namespace
}  // namespace zaztest
