// Importing database and task result files: the round trip through a fresh
// file, the merge rules of each table, the table choices of the three
// database imports, and hostile files that must fail cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "interchange/InterchangeTestSupport.h"
#include "support/ErrorCapture.h"
#include "zazorazari/database/Enums.h"
#include "zazorazari/platform/Error.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

class XmlImport : public ::testing::Test {
 protected:
  // An exported database file of a filled source.
  std::string ExportFilledSource() {
    FillEveryTable(source);
    source.Db().CloseDB();
    source.Db().OpenDB();
    const std::string file = source.Dir().File("db.xml");
    source.Db().ExportDB(file, enumDB6, enumExportXML, ProgressRecorder().object);
    return file;
  }
  // Imports the file into the empty target and exports that again.
  void ExpectRoundTripExact(const std::string& first) {
    target.Db().ImportDBFromXML(first, progress.object);
    EXPECT_EQ(progress.Percentages(), (std::vector<double>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70,
                                                           75, 80, 85, 90, 100}));
    const std::string second = target.Dir().File("again.xml");
    target.Db().ExportDB(second, enumDB6, enumExportXML, progress.object);
    const std::string before = ReadFile(first);
    const std::string after = ReadFile(second);
    const auto differ = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
    EXPECT_EQ(before.size(), after.size());
    EXPECT_TRUE(differ.first == before.end()) << "first difference: " << std::string(differ.first, before.end()).substr(0, 120)
                                             << " / " << std::string(differ.second, after.end()).substr(0, 120);
  }
  std::string Write(const std::string& name, const std::string& xml) {
    const std::string file = target.Dir().File(name);
    WriteFile(file, xml);
    return file;
  }

  TestDatabase source;
  TestDatabase target;
  ProgressRecorder progress;
};

TEST_F(XmlImport, ExportImportIntoFreshFileExportsTheSameBytes) {
  ExpectRoundTripExact(ExportFilledSource());
  EXPECT_EQ(target.Scalar("SELECT pilLastName FROM tblPilot WHERE pilPk = 3"), "Muessig");
}

// From 32 MB on, a file of the export's shape is read a piece at a time.
TEST_F(XmlImport, LargeFileReadInPiecesComesBackTheSame) {
  source.Sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60000) "
             "INSERT INTO tblResult (resPk, pilPk, tasPk, resPositionLatitudeDecimal, resComment) "
             "SELECT 100 + i, 3, 5, 0, printf('%.250c', 'x') FROM n");
  const std::string first = ExportFilledSource();
  ASSERT_GE(ReadFile(first).size(), size_t{32} << 20);
  ExpectRoundTripExact(first);
}

TEST_F(XmlImport, MergeRulesOfExistingAndNewRows) {
  FillEveryTable(target);
  target.Sql("UPDATE tblPilot SET avaPk2 = 1 WHERE pilPk = 3");
  const std::string file = Write("merge.xml",
                                 "<ZOLT><tblTurnpoint trnPk=\"7\" trnName=\"Renamed\" oriPk=\"1\"/>"
                                 "<x><tblTurnpoint trnPk=\"8\" trnName=\"New\" trnPositionAltitude=\"\"/></x>"
                                 "<tblPilot pilPk=\"3\" pilLastName=\"O'Brien\"/>"
                                 "<tblPilot pilPk=\"5000\" pilLastName=\"Far\" pilNumber=\"\"/>"
                                 "<tblTask tasPk=\"5\" tasDistance=\"\" tasName=\"T\"/>"
                                 "<tblResult resPk=\"50\" pilPk=\"3\" tasPk=\"5\" resStatus=\"LO\"/>"
                                 "<tblAttribute/></ZOLT>");
  target.Db().ImportDBFromXML(file, progress.object);
  // An existing turnpoint takes only its origin from the file.
  EXPECT_EQ(target.Scalar("SELECT trnName || '/' || oriPk || '/' || trnPositionAltitude FROM tblTurnpoint "
                          "WHERE trnPk = 7"),
            "Fiesch/1/1050.0");
  EXPECT_EQ(target.Scalar("SELECT trnName || '/' || IFNULL(trnPositionAltitude, 'null') FROM tblTurnpoint "
                          "WHERE trnPk = 8"),
            "New/null");
  // Slots and birthday the file leaves out are cleared; the number stays.
  EXPECT_EQ(target.Scalar("SELECT pilLastName || '/' || pilNumber || '/' || IFNULL(avaPk1, 'null') || '/' || "
                          "IFNULL(avaPk2, 'null') || '/' || IFNULL(pilBirthday, 'null') FROM tblPilot "
                          "WHERE pilPk = 3"),
            "O'Brien/17.0/null/null/null");
  EXPECT_EQ(target.Count("tblPilot", "pilPk = 5000 AND pilNumber IS NULL"), 1);
  EXPECT_EQ(target.Scalar("SELECT tasDistance || '/' || tasName FROM tblTask WHERE tasPk = 5"), "0.0/T");
  EXPECT_EQ(target.Scalar("SELECT resStatus || '/' || resPositionLatitudeDecimal || '/' || "
                          "IFNULL(resComment, 'null') || '/' || IFNULL(resSpeed, 'null') FROM tblResult "
                          "WHERE resPk = 50"),
            "LO/0.0/null/null");
}

TEST_F(XmlImport, PilotAndTurnpointImportsTakeOnlyTheirTables) {
  const std::string file = ExportFilledSource();
  target.Db().ImportTurnpointsFromXML(file, progress.object);
  EXPECT_EQ(progress.Percentages(), (std::vector<double>{5, 100}));
  EXPECT_EQ(target.Count("tblTurnpoint"), 1);
  EXPECT_EQ(target.Count("tblAttribute") + target.Count("tblPilot") + target.Count("tblGlider"), 0);

  progress.calls.clear();
  target.Db().ImportPilotsFromXML(file, progress.object);
  EXPECT_EQ(progress.Percentages(), (std::vector<double>{5, 10, 30, 35, 40, 60, 65, 100}));
  EXPECT_EQ(target.Count("tblPilot"), 2);
  EXPECT_EQ(target.Count("tblGlider") + target.Count("tblManufacturer") + target.Count("tblPilotAttribute"), 3);
  EXPECT_EQ(target.Count("tblOrigin"), 1) << "origins are not part of the pilot import";
  EXPECT_EQ(target.Count("tblTask") + target.Count("tblResult"), 0);
}

// Each file fails with the import error and writes nothing of the bad row;
// a failure inside the merge keeps the rows before it and the last progress.
TEST_F(XmlImport, HostileFilesFailWithTheImportErrorAndWriteNothingOfTheBadRow) {
  target.Sql("INSERT INTO tblAttribute VALUES (1, 'Club')");
  const std::string file = target.Dir().File("hostile.xml");
  const std::string notAColumn = "<Error/3265/Engine.Recordset/Item not found in this collection.>";
  std::string taken = "<ZOLT><tblAttribute attPk=\"3\" attName=\"a\"/><tblAttribute attName=\"5\" attPk=\"1\"/>";
  for (int key = 100; key < 200; ++key) taken += "<tblAttribute attPk=\"" + std::to_string(key) + "\" attName=\"n\"/>";
  taken += "</ZOLT>";
  const struct {
    const char* xml;  // none: the file is missing
    const char* source;
    std::string text;
    const char* attributes;
    size_t tablesRead;  // progress steps before the failure
  } cases[] = {
      {nullptr, "ImportDBFromXML", "Cannot load '" + file + "': ", "1:Club", 0},
      {"<ZOLT><tblAttribute attPk=\"2\" attName=\"x\"/><tblAttribute", "ImportDBFromXML", "", "1:Club", 0},
      {"<?xml version=\"1.0\"?><!DOCTYPE ZOLT [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
       "<ZOLT><tblAttribute attPk=\"2\" attName=\"&b;\"/></ZOLT>",
       "ImportDBFromXML", "document type declarations are not accepted", "1:Club", 0},
      {"<ZOLTTask><Competition Name=\"x\"/></ZOLTTask>", "ImportDBFromXML", "Unknown element 'ZOLTTask'.", "1:Club", 0},
      // A key that is not a number: the rows before it stay, nothing after it.
      {"<ZOLT><tblAttribute attPk=\"2\" attName=\"ok\"/><tblAttribute attPk=\"1 OR 1=1\" attName=\"bad\"/>"
       "<tblAttribute attPk=\"3\" attName=\"after\"/><tblPilot pilPk=\"1\" pilLastName=\"x\"/></ZOLT>",
       "UpdateDBFromXML", "<Error/13/ZAZorazari/Type mismatch>", "1:Club,2:ok", 1},
      // A row the engine refuses (its key is taken), first of rows written
      // together: those before it stay, it and those after it do not.
      {taken.c_str(), "UpdateDBFromXML", "<Error/3022/Engine.Recordset/Duplicate key.>", "1:Club,2:ok,3:a", 1},
      // Names that are not columns of the table, key or not.
      {"<ZOLT><tblAttribute attPk=\"1\" attName=\"changed\" attEvil=\"1\"/></ZOLT>", "UpdateDBFromXML", notAColumn,
       "1:Club,2:ok,3:a", 1},
      {"<ZOLT><tblAttribute attPk=\"1\" attName=\"changed\" xmlns:attName=\"urn:x\"/></ZOLT>", "UpdateDBFromXML",
       notAColumn, "1:Club,2:ok,3:a", 1},
      {"<ZOLT><tblAttribute nope=\"1\"/></ZOLT>", "UpdateDBFromXML", notAColumn, "1:Club,2:ok,3:a", 1},
      // A value its column cannot take.
      {"<ZOLT><tblTask tasPk=\"1\" tasName=\"x\" tasDate=\"1 OR 1=1\"/></ZOLT>", "UpdateDBFromXML",
       "<Error/3421/Engine.Field/Data type conversion error.>", "1:Club,2:ok,3:a", 14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xml ? c.xml : "missing");
    std::filesystem::remove(file);
    if (c.xml) WriteFile(file, c.xml);
    progress.calls.clear();
    const Error e = CaughtError([&] { target.Db().ImportDBFromXML(file, progress.object); });
    EXPECT_EQ(e.Number(), enumErrorImportXML);
    EXPECT_EQ(e.Source(), std::string("ZAZorazari.CDatabase.") + c.source);
    EXPECT_NE(e.Description().find(c.text), std::string::npos) << e.Description();
    EXPECT_EQ(target.Scalar("SELECT group_concat(attPk || ':' || attName, ',') FROM "
                            "(SELECT * FROM tblAttribute ORDER BY attPk)"),
              c.attributes);
    EXPECT_EQ(progress.Percentages().size(), c.tablesRead);
  }
  EXPECT_EQ(target.Count("tblPilot") + target.Count("tblTask"), 0);
}

// Long tables are inserted while the next rows are read: a row refused deep
// in one (here by a trigger of the file) keeps the rows before it and none
// after, whether it is refused while rows are read or while they wait.
TEST_F(XmlImport, ARowRefusedInALongTableKeepsTheRowsBeforeItOnly) {
  for (const int refused : {40, 1300, 1950}) {
    SCOPED_TRACE(refused);
    TestDatabase fresh;
    fresh.Sql("CREATE TRIGGER refuse BEFORE INSERT ON tblAttribute WHEN NEW.attPk = " + std::to_string(refused) +
              " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    std::string xml = "<ZOLT>";
    for (int key = 1; key <= 2000; ++key) xml += "<tblAttribute attPk=\"" + std::to_string(key) + "\" attName=\"n\"/>";
    // A key seen before is searched for, after rows still waiting.
    xml += "<tblAttribute attPk=\"5\" attName=\"again\"/><tblPilot pilPk=\"1\"/></ZOLT>";
    const std::string file = Write("long.xml", xml);
    const Error e = CaughtError([&] { fresh.Db().ImportDBFromXML(file, progress.object); });
    EXPECT_NE(e.Description().find("<Error/3022/"), std::string::npos) << e.Description();
    EXPECT_EQ(fresh.Scalar("SELECT count(*) || ':' || ifnull(max(attPk), 0) FROM tblAttribute"),
              std::to_string(refused - 1) + ":" + std::to_string(refused - 1));
    EXPECT_EQ(fresh.Count("tblPilot"), 0);
  }
}

class TaskResultImport : public XmlImport {
 protected:
  void SetUp() override {
    FillEveryTable(target);
    target.Db().CloseDB();
    target.Db().OpenDB();
  }
  void Import(const std::string& pilots, const std::string& task = "<Task ID=\"5\">") {
    target.Db().ImportTaskResultFromXML(
        Write("result.xml", "<ZOLTTaskResult>" + task + "<Pilots>" + pilots + "</Pilots></Task></ZOLTTaskResult>"),
        progress.object);
  }
};

TEST_F(TaskResultImport, SetsTheResultsOfPilotsThatHaveOne) {
  Import("<Pilot ID=\"3\" Status=\"LO\" SSTime=\"13:15:00\" PositionLatitudeDecimal=\"47,25\" Comment=\"a'b\"/>"
         "<Pilot ID=\"77\" Status=\"ES\"/><Pilot ID=\"4\" Comment=\"late\"/>");
  EXPECT_EQ(target.Scalar("SELECT resStatus || '/' || resPositionLatitudeDecimal || '/' || resComment || '/' || "
                          "round(resSSTime * 86400) FROM tblResult WHERE resPk = 9"),
            "LO/47.25/a'b/47700.0");
  EXPECT_EQ(target.Scalar("SELECT resComment FROM tblResult WHERE resPk = 10"), "late");
  ASSERT_EQ(progress.calls.size(), 4u);
  EXPECT_EQ(progress.calls[0].VarType(), vtDouble);
  EXPECT_DOUBLE_EQ(progress.calls[0].Number(), 0);
  EXPECT_DOUBLE_EQ(progress.calls[2].Number(), 200.0 / 3);
  EXPECT_DOUBLE_EQ(progress.calls[3].Number(), 100);

  Import("<Pilot ID=\"3\" Status=\"XX\"/>", "<Task ID=\"404\">");
  EXPECT_EQ(target.Scalar("SELECT resStatus FROM tblResult WHERE resPk = 9"), "LO") << "unknown task changes nothing";
}

TEST_F(TaskResultImport, FailuresAreImportErrorsAndEarlierPilotsStay) {
  const auto failure = [&](const std::string& pilots, const std::string& task = "<Task ID=\"5\">") {
    return CaughtError([&] { Import(pilots, task); });
  };
  Error e = failure("<Pilot ID=\"3\" Status=\"A\"/><!-- note --><Pilot ID=\"4\" Status=\"B\"/>");
  EXPECT_EQ(e.Number(), enumErrorImportXML);
  EXPECT_EQ(e.Source(), "ZAZorazari.CDatabase.ImportTaskResultFromXML");
  EXPECT_EQ(target.Scalar("SELECT group_concat(IFNULL(resStatus, '-'), ',') FROM tblResult"), "A,-");

  e = failure("<Pilot ID=\"4\" Bogus=\"1\"/>");
  EXPECT_EQ(e.Number(), enumErrorImportXML);
  e = failure("<Pilot Status=\"C\"/>");
  EXPECT_EQ(e.Number(), enumErrorImportXML);
  e = failure("", "<Pilots/><Task ID=\"5\">");
  EXPECT_EQ(e.Description(),
            "<Error/" + std::to_string(enumErrorImportXML) +
                "/ZAZorazari.CDatabase.ImportTaskResultFromXML/Wrong element 'Pilots'.>");
  EXPECT_EQ(target.Scalar("SELECT group_concat(IFNULL(resStatus, '-'), ',') FROM tblResult"), "A,-");
}

}  // namespace
