// Hostile files: XML a conforming parser refuses, waypoints that are no
// place on earth, NUL in record text, and database files whose schema could
// run code. Each is refused with an error naming the place, and nothing of
// it is stored.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "interchange/InterchangeTestSupport.h"
#include "reliability/ReliabilitySupport.h"
#include "rules/RuleTestHelpers.h"

using namespace zazorazari;
using namespace zaztest;
using ::testing::HasSubstr;

namespace {

const std::string kWptHeader = "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";

}  // namespace

TEST(HostileInput, XmlThatIsNotWellFormedIsRefusedBeforeAnythingIsStored) {
  struct Fault {
    const char* what;
    std::string value;  // inside an attribute value on line 2
    const char* reason;
  };
  const std::vector<Fault> faults = {
      {"attribute twice", "a\" pilLastName=\"b", "given twice"},
      {"reference to NUL", "a&#0;b", "character reference '&#0;'"},
      {"reference to a surrogate", "&#xD800;", "character reference '&#xD800;'"},
      {"reference past U+10FFFF", "&#x110000;", "character reference '&#x110000;'"},
      {"malformed reference", "&#x;", "malformed character reference"},
      {"raw NUL", std::string("a\0b", 3), "a NUL character"},
      {"no UTF-8", "M\xFCller", "not UTF-8"},
  };
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.what);
    TestDatabase t;
    FillEveryTable(t);
    const std::string before = DumpDatabase(t.FilePath());
    const std::string& value = f.value;
    WriteFile(t.Dir().File("db.xml"), "<ZOLT><tblPilot>\n<tblPilot pilPk=\"3\" pilLastName=\"" + value +
                                          "\"/></tblPilot></ZOLT>");
    WriteFile(t.Dir().File("r.xml"), "<ZOLTTaskResult><Task ID=\"5\"><Pilots>\n<Pilot ID=\"3\" pilLastName=\"" + value +
                                         "\"/></Pilots></Task></ZOLTTaskResult>");
    for (const Error& e : {CaughtError([&] { t.Db().ImportDBFromXML(t.Dir().File("db.xml"), nullptr); }),
                           CaughtError([&] { t.Db().ImportTaskResultFromXML(t.Dir().File("r.xml"), nullptr); })}) {
      EXPECT_EQ(e.Number(), enumErrorImportXML);
      EXPECT_THAT(e.Description(), HasSubstr(f.reason));
      EXPECT_THAT(e.Description(), HasSubstr("(line 2)"));
    }
    EXPECT_TRUE(DumpDatabase(t.FilePath()) == before);
  }
  // Well-formed, but what the described result import fails on as a call on
  // nothing: the command line says what and where.
  ScratchDir dir;
  CreateFile(dir, "c.mdb");
  ASSERT_EQ(RunCli(dir, {"add", "c.mdb", "doTask", "tasName=T1"}).status, 0);
  WriteFile(dir.File("r.xml"), "<ZOLTTaskResult><Task ID=\"1\"><Pilots>\n<!-- late --></Pilots></Task></ZOLTTaskResult>");
  EXPECT_THAT(RunCli(dir, {"import-results", "c.mdb", "r.xml"}).err, HasSubstr("this is a comment (line 2)"));
}

// The command line checks what the described waypoint and XML imports store
// as they read it.
TEST(HostileInput, CommandLineImportsRefusePositionsThatAreNoPlace) {
  ScratchDir dir;
  CreateFile(dir, "c.mdb");
  const std::string good = "1,GOOD,46.5,8.1,,0,1,3,0,65535,,0,0,0,0\r\n";
  struct Case {
    std::string line;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"2,NORTH,91.0,8.1,,0,1,3,0,65535,,0,0,0,0", "Overflow (line 6, latitude): it must lie between -90 and 90"},
      {"2,EAST,46.5,400.0,,0,1,3,0,65535,,0,0,0,0", "(line 6, longitude): it must lie between -180 and 180"},
      {"2,HUGE,1.0e308,8.1,,0,1,3,0,65535,,0,0,0,0", "(line 6, latitude)"},
      {"2,NAN,nan,8.1,,0,1,3,0,65535,,0,0,0,0", "Subscript out of range (line 6): a waypoint line is number, name"},
      {std::string("2,A\0B,46.5,8.1,,0,1,3,0,65535,,0,0,0,0", 38), "(line 6): the name holds a NUL character"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    WriteFile(dir.File("w.wpt"), kWptHeader + good + c.line + "\r\n");
    const CliResult result = RunCli(dir, {"import-wpt", "c.mdb", "w.wpt", "--yes"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(QueryNumber(dir.File("c.mdb"), "SELECT count(*) FROM tblTurnpoint"), 0);
  }
  WriteFile(dir.File("t.xml"), "<ZOLT><tblTurnpoint>\n<tblTurnpoint trnPk=\"1\" trnName=\"N\" "
                               "trnPositionLongitudeDecimal=\"1e999\"/></tblTurnpoint></ZOLT>");
  EXPECT_THAT(RunCli(dir, {"import", "c.mdb", "t.xml"}).err,
              HasSubstr("trnPositionLongitudeDecimal '1e999' must lie between -180 and 180 (line 2)"));
  EXPECT_EQ(QueryNumber(dir.File("c.mdb"), "SELECT count(*) FROM tblTurnpoint"), 0);
  // The described import stores any degree text.
  TestDatabase t;
  WriteFile(t.Dir().File("w.wpt"), kWptHeader + cases[0].line + "\r\n");
  t.Db().ImportTurnpointsFromWPT(t.Dir().File("w.wpt"), ProgressRecorder().object);
  EXPECT_EQ(t.Scalar("SELECT trnPositionLatitudeDecimal FROM tblTurnpoint"), "91.0");
}

TEST(HostileInput, RecordTextWithNulIsRefusedNamingTheField) {
  ScratchDir dir;
  CreateFile(dir, "c.mdb");
  const CliResult result = RunCli(dir, {"add", "c.mdb", "doPilot"}, std::string("pilFirstName=Ann\npilLastName=a") + '\0' + "b\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.err, HasSubstr("pilLastName"));
  EXPECT_EQ(QueryNumber(dir.File("c.mdb"), "SELECT count(*) FROM tblPilot"), 0);
}

TEST(HostileInput, FileWhoseSchemaCouldRunCodeIsRefusedUnlessAllowed) {
  TestDatabase t;
  AddTask(t.Db(), "Task 1");
  AddPilot(t.Db(), "Meier", "Hans");
  t.Db().CloseDB();
  t.Sql("CREATE TRIGGER trgWipe AFTER INSERT ON tblPilot BEGIN DELETE FROM tblResult; END;"
        "CREATE TABLE tblExtra (x INTEGER); CREATE VIEW vwExtra AS SELECT * FROM tblPilot;");
  const std::string before = DumpDatabase(t.FilePath());

  const Error e = CaughtError([&] { t.Db().OpenDB(); });
  EXPECT_EQ(e.Number(), enumErrorFileNoZoltMDB);
  EXPECT_THAT(e.Description(), HasSubstr("trigger 'trgWipe', table 'tblExtra', view 'vwExtra'"));
  const CliResult added = RunCli(t.Dir(), {"add", t.FilePath(), "doPilot", "pilLastName=Keller"});
  EXPECT_EQ(added.status, 1);
  const CliResult checked = RunCli(t.Dir(), {"check", t.FilePath()});
  EXPECT_EQ(checked.status, 1);
  EXPECT_THAT(checked.out, HasSubstr("trigger 'trgWipe'"));
  EXPECT_TRUE(DumpDatabase(t.FilePath()) == before);

  t.Db().SetAllowForeignSchema(true);
  t.Db().OpenDB();
  EXPECT_EQ(t.Db().ForeignSchemaObjects().size(), 3u);
}
