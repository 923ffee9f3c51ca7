// Registration list import through the facade: the encodings, separators
// and header forms a list arrives in, and what each overwrite mode makes of
// pilots already there.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "support/TestDatabase.h"
#include "zazorazari/database/CDatabase.h"

namespace zaztest {
namespace {

using namespace zazorazari;
using ::testing::ElementsAre;
using ::testing::FieldsAre;
using ::testing::HasSubstr;

PilotListReport Import(TestDatabase& t, const std::string& text, PilotListOptions options = {}) {
  const std::string path = t.Dir().File("list.csv");
  std::ofstream(path, std::ios::binary) << text;
  return t.Db().ImportPilotsFromCSV(path, options, nullptr);
}

TEST(PilotList, EncodingsSeparatorsAndHeaders) {
  struct Case {
    const char* name;
    std::string text;
  };
  // Windows-1252 "Müller", a regional and an ISO birthday, header case.
  const std::vector<Case> cases{
      {"windows-1252, comma", "PILLASTNAME,pilfirstname,pilBirthday\r\nM\xFCller,Ann,23.04.1985\r\n"},
      {"utf-8, semicolon", "pilLastName;pilFirstName;pilBirthday\nMüller;Ann;1985-04-23\n"},
      {"tab, mapped header", "Surname\tpilFirstName\tpilBirthday\nMüller\tAnn\t1985-04-23"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestDatabase t;
    PilotListOptions options;
    options.columnMap = {{"surname", "pilLastName"}};
    const PilotListReport report = Import(t, c.text, options);
    ASSERT_TRUE(report.problems.empty()) << report.problems[0].message;
    EXPECT_EQ(report.added, 1);
    EXPECT_EQ(t.Scalar("SELECT pilLastName || ' ' || date(pilBirthday + 2415018.5) FROM tblPilot"),
              "Müller 1985-04-23");
  }
}

TEST(PilotList, ProblemsNameLineAndColumnAndWriteNothing) {
  TestDatabase t;
  const PilotListReport report = Import(t,
                                        "pilLastName,pilFirstName,pilComment,pilBirthday,Shoe size\n"
                                        "Smith,Ann,\"two\nlines\",1.1.1980\n"
                                        "Jones,Bob,,31.02.1980\n"
                                        "Smith,Ann,,1.1.1980,7,8\n");
  EXPECT_FALSE(report.written);
  EXPECT_THAT(report.problems,
              ElementsAre(FieldsAre(1, "Shoe size", "Shoe size", HasSubstr("no pilot field")),
                          FieldsAre(4, "pilBirthday", "31.02.1980", HasSubstr("not a date")),
                          FieldsAre(5, "", "", HasSubstr("6 cells, but the header names 5 columns"))));
  EXPECT_EQ(t.Count("tblPilot"), 0);
}

TEST(PilotList, OverwriteModesOnPilotsAlreadyThere) {
  TestDatabase t;
  const std::string list = "pilLastName,pilFirstName,pilNumber\nSmith,Ann,1\nJones,Bob,2\n";
  ASSERT_EQ(Import(t, list).added, 2);

  PilotListOptions options;
  const PilotListReport kept = Import(t, list, options);
  EXPECT_EQ(kept.existing, 2);
  options.overwrite = enumOverwriteRaiseError;
  const PilotListReport refused = Import(t, list, options);
  ASSERT_EQ(refused.problems.size(), 2u);
  EXPECT_THAT(refused.problems[1], FieldsAre(3, "pilLastName", "Jones", HasSubstr("already in the database")));
  options.overwrite = enumOverwriteForce;
  const PilotListReport replaced = Import(t, list, options);
  EXPECT_EQ(replaced.replaced, 2);
  EXPECT_EQ(replaced.added, 0);
  EXPECT_EQ(t.Count("tblPilot"), 2);
  // A number held by a pilot outside the list names him.
  EXPECT_THAT(Import(t, "pilLastName,pilNumber\nBrown,2\n").problems[0].message,
              HasSubstr("held by Bob Jones (pilot"));
}

}  // namespace
}  // namespace zaztest
