// The registration list commands on a 500-pilot list as online registration
// gives it (byte order mark, ';', umlauts, German headers): a dry run names
// every faulty line and column, the fixed list imports whole, and an export
// imported into a new file gives the same pilots.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "cli/CliRunner.h"
#include "support/TestDatabase.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

const char* const kMap =
    "Nummer=pilNumber,Name=pilLastName,Vorname=pilFirstName,Geburtstag=pilBirthday,Nation=natCode3,"
    "Hersteller=manName,Schirm=gliName,Geschlecht=pilSex";

// Pilot i on line i + 1; birthdays alternate between ISO and the regional form.
std::string RegistrationList(int badNationLine, int repeatedNumberLine) {
  const char* nations[] = {"CHE", "AUT", "DEU", "FRA", "ITA"};
  const char* makers[][2] = {{"Ozone", "Enzo 3"}, {"Gin", "Boomerang 12"}, {"Advance", "Omega X-Alps"}};
  const char* clubs[] = {"Flügelverein Zürich", "\"Club \"\"Les Aigles\"\"\"", "\"Ailes; Annecy\""};
  std::string text = "\xEF\xBB\xBFNummer;Name;Vorname;Geburtstag;Nation;Hersteller;Schirm;club;Geschlecht\r\n";
  for (int i = 1; i <= 500; ++i) {
    const int line = i + 1;
    const int number = line == repeatedNumberLine ? 99 : i;
    char birthday[16];
    if (i % 2 == 0) std::snprintf(birthday, sizeof birthday, "19%02d-%02d-%02d", 50 + i % 50, 1 + i % 12, 1 + i % 28);
    else std::snprintf(birthday, sizeof birthday, "%d.%d.19%02d", 1 + i % 28, 1 + i % 12, 50 + i % 50);
    text += std::to_string(number) + ";Müßig-" + std::to_string(i) + ";" + (i % 2 ? "Jörg" : "Zoë") + ";" + birthday +
            ";" + (line == badNationLine ? "XYZ" : nations[i % 5]) + ";" + makers[i % 3][0] + ";" + makers[i % 3][1] +
            ";" + clubs[i % 3] + ";" + (i % 2 ? "M" : "F") + "\r\n";
  }
  return text;
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A competition whose first attribute is the club.
void AddClubAttribute(const TestDatabase& t) {
  t.Sql("INSERT INTO tblAttribute (attPk, attName) VALUES (1, 'Club'); UPDATE tblCompetition SET attPk1 = 1;");
}

// Every pilot as a line, by natural key.
std::string Pilots(const TestDatabase& t) {
  return t.Scalar(
      "SELECT group_concat(pilLastName || '|' || pilFirstName || '|' || pilBirthday || '|' || pilNumber || '|' ||"
      " natCode3 || '|' || manName || '|' || gliName || '|' || avaValue1 || '|' || pilSex, char(10))"
      " FROM (SELECT * FROM doPilot ORDER BY pilLastName, pilFirstName, pilBirthday)");
}

TEST(CliPilotListCommands, DryRunImportExportRoundTrip) {
  TestDatabase a, b;
  AddClubAttribute(a);
  AddClubAttribute(b);
  const std::string list = a.Dir().File("entries.csv");

  Write(list, RegistrationList(37, 212));
  const CliResult dry = RunCli(a.Dir(), {"import-pilots", a.FilePath(), list, "--map", kMap, "--dry-run"});
  EXPECT_EQ(dry.status, 1);
  EXPECT_THAT(dry.err, HasSubstr("entries.csv:37: column Nation 'XYZ': no nation has this three-letter code"));
  EXPECT_THAT(dry.err, HasSubstr("entries.csv:212: column Nummer '99': this start number is already held by the "
                                 "pilot on line 100"));
  EXPECT_EQ(LineCount(dry.err), 2u) << dry.err;
  EXPECT_THAT(dry.out, HasSubstr("500 pilot line(s): 2 problem(s); nothing written"));
  // Without --dry-run the faulty list writes nothing either.
  EXPECT_EQ(RunCli(a.Dir(), {"import-pilots", a.FilePath(), list, "--map", kMap}).status, 1);
  EXPECT_EQ(a.Count("tblPilot"), 0);

  Write(list, RegistrationList(0, 0));
  const CliResult imported = RunCli(a.Dir(), {"import-pilots", a.FilePath(), list, "--map", kMap});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_THAT(imported.out, HasSubstr("500 pilot line(s): 500 added, 0 already there, 0 replaced"));
  EXPECT_EQ(a.Scalar("SELECT pilFirstName || ' ' || pilLastName || ', ' || natCode3 || ', ' || manName || ' ' ||"
                     " gliName || ', ' || avaValue1 || ', ' || date(pilBirthday + 2415018.5) FROM doPilot"
                     " WHERE pilNumber IN (4, 5)"),
            "Zoë Müßig-4, ITA, Gin Boomerang 12, Club \"Les Aigles\", 1954-05-05");
  EXPECT_EQ(a.Scalar("SELECT avaValue1 || date(pilBirthday + 2415018.5) FROM doPilot WHERE pilNumber = 5"),
            "Ailes; Annecy1955-06-06");

  const std::string out = a.Dir().File("out.csv");
  ASSERT_EQ(RunCli(a.Dir(), {"export-pilots", a.FilePath(), out, "--separator", ";"}).status, 0);
  const CliResult again = RunCli(b.Dir(), {"import-pilots", b.FilePath(), out});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(b.Count("tblPilot"), 500);
  EXPECT_EQ(Pilots(b), Pilots(a));
  // The same list once more: every pilot is already there.
  EXPECT_THAT(RunCli(b.Dir(), {"import-pilots", b.FilePath(), out}).out, HasSubstr("0 added, 500 already there"));
}

TEST(CliPilotListCommands, UsageErrors) {
  ScratchDir dir;
  CreateFile(dir, "a.mdb");
  EXPECT_EQ(RunCli(dir, {"import-pilots", "a.mdb", "x.csv", "--map", "Surname"}).status, 2);
  EXPECT_EQ(RunCli(dir, {"export-pilots", "a.mdb", "x.csv", "--separator", "|"}).status, 2);
  const CliResult missing = RunCli(dir, {"import-pilots", "a.mdb", "x.csv"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.err, HasSubstr("Cannot import pilots from 'x.csv'"));
}

}  // namespace
}  // namespace zaztest
