// Imports and copies asked to be all or nothing: a failure on the last row
// leaves every table of the file exactly as it was, also inside a host
// transaction whose own earlier work stays.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interchange/InterchangeTestSupport.h"
#include "reliability/ReliabilitySupport.h"
#include "rules/RuleTestHelpers.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

struct Case {
  const char* what;
  std::function<void(CDatabase& db, const ScratchDir& dir, enumImportMode mode)> import;
};

void Import(const std::string& file, const std::string& text,
            const std::function<void(const std::string& path)>& call) {
  WriteFile(file, text);
  call(file);
}

const char* const kPilotsFailingLast =
    "<ZOLT><tblPilot><tblPilot pilPk=\"1\" pilLastName=\"Good\"/>"
    "<tblPilot pilPk=\"1 OR 1=1\" pilLastName=\"x\"/></tblPilot></ZOLT>";

// A source file beside the target with two pilots and a catalogue with a
// glider and a report string the target has already.
std::string SourceFile(const ScratchDir& dir, enumFileType type) {
  const std::string path = dir.File(type == enumFileCatalog ? "catalog.mdb" : "source.mdb");
  CDatabase source;
  source.Create(path, TemplateDir(), type);
  source.SetPath(path);
  source.OpenDB();
  AddPilot(source, "Source", "One");
  source.AddDataObject(*NewObject(source, "doGlider", {{"gliName", "Zeno"}}), enumOverwriteRaiseError);
  source.AddDataObject(*NewObject(source, "doReportString", {{"rstCategory", 3}, {"rstText", "Task report"}}),
                       enumOverwriteRaiseError);
  source.CloseDB();
  return path;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"ImportDBFromXML",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         Import(dir.File("db.xml"), kPilotsFailingLast, [&](auto f) { db.ImportDBFromXML(f, ProgressRecorder().object, mode); });
       }},
      {"ImportPilotsFromXML",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         Import(dir.File("p.xml"), kPilotsFailingLast, [&](auto f) { db.ImportPilotsFromXML(f, ProgressRecorder().object, mode); });
       }},
      {"ImportTurnpointsFromXML",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         Import(dir.File("t.xml"),
                "<ZOLT><tblTurnpoint><tblTurnpoint trnPk=\"1\" trnName=\"Good\"/>"
                "<tblTurnpoint trnPk=\"x\" trnName=\"y\"/></tblTurnpoint></ZOLT>",
                [&](auto f) { db.ImportTurnpointsFromXML(f, ProgressRecorder().object, mode); });
       }},
      {"ImportTaskResultFromXML",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         Import(dir.File("r.xml"),
                "<ZOLTTaskResult><Task ID=\"5\"><Pilots><Pilot ID=\"3\" Status=\"LO\"/>"
                "<Pilot ID=\"4\" NoSuchColumn=\"1\"/></Pilots></Task></ZOLTTaskResult>",
                [&](auto f) { db.ImportTaskResultFromXML(f, ProgressRecorder().object, mode); });
       }},
      {"ImportTurnpointsFromWPT",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         Import(dir.File("w.wpt"),
                "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n"
                "1,NEW,46.5,8.1,,0,1,3,0,65535,,0,0,0,0\r\n2,BAD,north,8.1,,0,1,3,0,65535,,0,0,0,0\r\n",
                [&](auto f) { db.ImportTurnpointsFromWPT(f, ProgressRecorder().object, mode); });
       }},
      {"ImportTurnpointsFromFile",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         Import(dir.File("c.cup"),
                "name,code,country,lat,lon,elev\r\n\"New\",NEW,,4700.000N,00800.000E,\r\n"
                "\"Other\",FIE,,4710.000N,00800.000E,\r\n",
                [&](auto f) { db.ImportTurnpointsFromFile(f, "", enumOverwriteRaiseError, ProgressRecorder().object, mode); });
       }},
      {"InsertDataObjectsFrom",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         db.InsertDataObjectsFrom("doPilot", SourceFile(dir, enumFileCompetition), {1, 999}, nullptr, nullptr, {},
                                  mode);
       }},
      {"InsertCatalogFrom",
       [](CDatabase& db, const ScratchDir& dir, enumImportMode mode) {
         db.InsertCatalogFrom(SourceFile(dir, enumFileCatalog), mode);
       }},
  };
  return cases;
}

}  // namespace

TEST(AllOrNothingImport, AFailureOnTheLastRowLeavesEveryTableAsItWas) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    TestDatabase t;
    FillEveryTable(t);
    const std::string before = DumpDatabase(t.FilePath());
    ScratchDir inputs;
    EXPECT_NE(CaughtError([&] { c.import(t.Db(), inputs, enumImportAllOrNothing); }).Number(), 0);
    EXPECT_TRUE(DumpDatabase(t.FilePath()) == before);

    // By default what came before the failure stays.
    EXPECT_NE(CaughtError([&] { c.import(t.Db(), inputs, enumImportKeepWritten); }).Number(), 0);
    EXPECT_FALSE(DumpDatabase(t.FilePath()) == before);
  }
}

TEST(AllOrNothingImport, InsideAHostTransactionOnlyTheImportIsUndone) {
  TestDatabase t;
  ScratchDir inputs;
  CDatabase::Transaction transaction(t.Db());
  AddPilot(t.Db(), "Kept", "Host");
  EXPECT_EQ(CaughtError([&] { Cases()[0].import(t.Db(), inputs, enumImportAllOrNothing); }).Number(),
            enumErrorImportXML);
  transaction.Commit();
  EXPECT_EQ(t.Scalar("SELECT group_concat(pilLastName) FROM tblPilot"), "Kept");
}
