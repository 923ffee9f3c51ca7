// The registration list commands on a list as online registration gives it
// (byte order mark, ';', umlauts, German headers mapped with --map): a dry
// run names every faulty line and column, the fixed list imports whole, and
// an export imported into a new file gives the same pilots.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "interchange/InterchangeTestSupport.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

const char* const kMap =
    "Nummer=pilNumber,Name=pilLastName,Vorname=pilFirstName,Geburtstag=pilBirthday,Nation=natCode3,"
    "Hersteller=manName,Schirm=gliName,Geschlecht=pilSex";

// Birthdays in the ISO and the regional form; clubs that need quoting.
std::string RegistrationList(const std::string& nation, const std::string& number) {
  return "\xEF\xBB\xBFNummer;Name;Vorname;Geburtstag;Nation;Hersteller;Schirm;club;Geschlecht\r\n"
         "1;Müßig;Jörg;24.12.1960;CHE;Ozone;Enzo 3;Flügelverein Zürich;M\r\n"
         "2;Huber;Zoë;1954-05-05;" + nation + ";Gin;Boomerang 12;\"Club \"\"Les Aigles\"\"\";F\r\n" +
         number + ";Keller;Ann;6.6.1955;AUT;Advance;Omega X-Alps;\"Ailes; Annecy\";F\r\n";
}

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

  WriteFile(list, RegistrationList("XYZ", "1"));
  const CliResult dry = RunCli(a.Dir(), {"import-pilots", a.FilePath(), list, "--map", kMap, "--dry-run"});
  EXPECT_EQ(dry.status, 1);
  EXPECT_THAT(dry.err, HasSubstr("entries.csv:3: column Nation 'XYZ': no nation has this three-letter code"));
  EXPECT_THAT(dry.err, HasSubstr("entries.csv:4: column Nummer '1': this start number is already held by the "
                                 "pilot on line 2"));
  EXPECT_EQ(LineCount(dry.err), 2u) << dry.err;
  EXPECT_THAT(dry.out, HasSubstr("3 pilot line(s): 2 problem(s); nothing written"));

  WriteFile(list, RegistrationList("ITA", "3"));
  const CliResult imported = RunCli(a.Dir(), {"import-pilots", a.FilePath(), list, "--map", kMap});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_THAT(imported.out, HasSubstr("3 pilot line(s): 3 added, 0 already there, 0 replaced"));
  EXPECT_THAT(Pilots(a), HasSubstr("|ITA|Gin|Boomerang 12|Club \"Les Aigles\"|F\nKeller|Ann|"));

  const std::string out = a.Dir().File("out.csv");
  ASSERT_EQ(RunCli(a.Dir(), {"export-pilots", a.FilePath(), out, "--separator", ";"}).status, 0);
  const CliResult again = RunCli(b.Dir(), {"import-pilots", b.FilePath(), out});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(b.Count("tblPilot"), 3);
  EXPECT_EQ(Pilots(b), Pilots(a));
  // The same list once more: every pilot is already there.
  EXPECT_THAT(RunCli(b.Dir(), {"import-pilots", b.FilePath(), out}).out, HasSubstr("0 added, 3 already there"));
}

}  // namespace
}  // namespace zaztest
