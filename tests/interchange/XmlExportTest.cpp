// The three XML file formats, read back with xmllint (not the library's own
// parser): element and attribute order, NULL omissions, value forms,
// progress, and what a failed export leaves on disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "interchange/InterchangeTestSupport.h"
#include "support/ErrorCapture.h"
#include "support/OldTemplate.h"
#include "zazorazari/database/Enums.h"
#include "zazorazari/platform/Error.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

class XmlExport : public ::testing::Test {
 protected:
  void SetUp() override {
    FillEveryTable(t);
    // The facade caches the competition row when it opens the file.
    t.Db().CloseDB();
    t.Db().OpenDB();
  }
  std::string Out(const std::string& name) const { return t.Dir().File(name); }

  TestDatabase t;
  ProgressRecorder progress;
};

TEST_F(XmlExport, DatabaseFileHasEveryTableWithAttributesInOrderAndNullsLeftOut) {
  const std::string file = Out("db.xml");
  t.Db().ExportDB(file, enumDB6, enumExportXML, progress.object);
  ASSERT_TRUE(WellFormed(file));

  const std::string text = ReadFile(file);
  EXPECT_EQ(text.rfind("<ZOLT><tblAttribute><tblAttribute attPk=\"1\" attName=\"Club\"/></tblAttribute>", 0), 0u);
  const std::string tail = "</tblTeamScoring></ZOLT>";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << "nothing after the root";
  EXPECT_EQ(XPath(file, "count(/ZOLT/*)"), "18");
  EXPECT_EQ(XPath(file, "name(/ZOLT/*[16])"), "tblTask");

  // [N] columns are left out when NULL, the others written as "".
  EXPECT_EQ(XPath(file, "/ZOLT/tblPilot/tblPilot[1]"),
            "<tblPilot pilPk=\"3\" pilIDGlobal=\"SUI-17\" pilFirstName=\"Joerg\" pilLastName=\"Muessig\" "
            "pilSex=\"M\" pilBirthday=\"1968-06-11\" pilNumber=\"17\" gliPk=\"1\" oriPk=\"2\" pilRank=\"4\" "
            "pilAddress1=\"Dorfstrasse 1\" pilAddress2=\"\" pilAddressZIPCity=\"\" pilAddressCountry=\"\" "
            "pilAddressPhone=\"\" pilAddressEMail=\"\" pilAddressMobile=\"\" pilComment=\"\" avaPk1=\"1\" "
            "pilCompetitionScore=\"812.25\"/>");
  EXPECT_EQ(XPath(file, "/ZOLT/tblTask/tblTask"),
            "<tblTask tasPk=\"5\" tasDate=\"2003-12-24\" tasName=\"Task 1\" tasResultsType=\"Race\" "
            "tasStartType=\"Air\" tasTaskType=\"Race\" tasPositionType=\"\" tasDistance=\"87.5\" tasSSDistance=\"\" "
            "tasSSOpen=\"30.12.1899\" tasSSClose=\"14:30:00\" tasESClose=\"\" tasNeedsComputing=\"True\" "
            "tasLastPilotFilter=\"\" tasTopScore=\"\" tasTopSpeed=\"12.5\" tasTopDistance=\"\" "
            "tasPilotsLaunched=\"2\" tasPilotsGoal=\"\" tasPilotsES=\"\" tasPilotsLO=\"\" tasRankWeight=\"0.8\" "
            "tasRankInternational=\"\"/>");
  EXPECT_EQ(XPath(file, "/ZOLT/tblTaskTurnpoint/tblTaskTurnpoint"),
            "<tblTaskTurnpoint ttpPk=\"1\" tasPk=\"5\" trnPk=\"7\" ttpNr=\"1\" ttpNrText=\"1\" ttpTimeGateType=\"SS\" "
            "ttpDistanceDiff=\"0\" ttpDistanceTotal=\"0\" ttpCircle=\"400\"/>\n"
            "<tblTaskTurnpoint ttpPk=\"2\" tasPk=\"5\" trnPk=\"7\" ttpNr=\"2\" ttpNrText=\"2\" ttpTimeGateType=\"\" "
            "ttpDistanceDiff=\"1.5\" ttpDistanceTotal=\"1.5\"/>");
  EXPECT_EQ(XPath(file, "/ZOLT/tblOrigin/tblOrigin[2]"), "<tblOrigin oriPk=\"2\" natPk=\"756\"/>");
  EXPECT_EQ(XPath(file, "/ZOLT/tblTurnpoint/tblTurnpoint"),
            "<tblTurnpoint trnPk=\"7\" trnName=\"Fiesch\" trnID=\"FIE\" trnPositionType=\"WGS\" "
            "trnPositionLatitudeDecimal=\"46.4\" trnPositionLatitudeDirection=\"N\" "
            "trnPositionLongitudeDecimal=\"8.125\" trnPositionLongitudeDirection=\"E\" "
            "trnPositionEastings=\"432100.5\" trnPositionNorthings=\"5140000\" trnPositionAltitude=\"1050\" "
            "trnPositionMapZone=\"32\" geoPk=\"243\" oriPk=\"2\"/>");
  // Typed dates in ISO 8601, the time only when there is one.
  EXPECT_EQ(XPath(file, "string(/ZOLT/tblCompetition/tblCompetition/@comDateFrom)"), "2003-12-24");
  EXPECT_EQ(XPath(file, "string(/ZOLT/tblCompetition/tblCompetition/@comDateTo)"), "2003-12-26T14:30:00");
  EXPECT_EQ(XPath(file, "count(/ZOLT/tblCompetition/tblCompetition/@comLocation)"), "0");
  EXPECT_EQ(XPath(file, "string(/ZOLT/tblResult/tblResult[1]/@resSSTime)"), "1899-12-30T14:30:00");
  EXPECT_EQ(XPath(file, "string(/ZOLT/tblAttributeValue/tblAttributeValue/@avaValue)"), "Fluegelverein Zuerich");

  EXPECT_EQ(progress.Percentages(), (std::vector<double>{5, 10, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80,
                                                         85, 90, 95, 100}));
  EXPECT_EQ(progress.calls.front().VarType(), vtInteger);
}

TEST_F(XmlExport, VersionIsIgnoredAndOnlyTheXmlFormatWritesAnything) {
  t.Db().ExportDB(Out("v4.xml"), enumDB4, enumExportXML, progress.object);
  t.Db().ExportDB(Out("v5.xml"), enumDB5, enumExportXML, progress.object);
  EXPECT_EQ(ReadFile(Out("v4.xml")), ReadFile(Out("v5.xml")));

  progress.calls.clear();
  for (int32_t type : {0, 2}) {
    t.Db().ExportDB(Out("none.xml"), enumDB6, static_cast<enumExportFormat>(type), progress.object);
    t.Db().ExportTask(Out("none.xml"), 5, static_cast<enumExportFormat>(type), progress.object);
    t.Db().ExportTaskResult(Out("none.xml"), 5, static_cast<enumExportFormat>(type), progress.object);
  }
  EXPECT_FALSE(std::filesystem::exists(Out("none.xml")));
  EXPECT_TRUE(progress.calls.empty());
}

TEST(XmlExportOldFile, NineColumnTaskTurnpointTableHasNoCircle) {
  ScratchDir dir;
  CDatabase db;
  db.SetPath(MakeNineColumnTaskTurnpointFile(dir.Path().string()));
  db.OpenDB();
  auto task = db.CreateDataObject("doTask");
  task->Fields("tasName")->SetValue("Old");
  const int32_t lPkTask = db.AddDataObject(*task, enumOverwriteRaiseError);
  ProgressRecorder progress;
  const std::string file = dir.File("old.xml");
  db.ExportDB(file, enumDB4, enumExportXML, progress.object);
  EXPECT_EQ(XPath(file, "count(//@ttpCircle)"), "0");
  EXPECT_EQ(XPath(file, "/ZOLT/tblTaskTurnpoint"), "<tblTaskTurnpoint/>");
  EXPECT_GT(lPkTask, 0);
}

TEST_F(XmlExport, TaskFile) {
  const std::string file = Out("task.xml");
  t.Db().ExportTask(file, 5, enumExportXML, progress.object);
  ASSERT_TRUE(WellFormed(file));
  EXPECT_EQ(XPath(file, "string(/ZOLTTask/Competition/@Name)"), "Swiss Open");
  EXPECT_EQ(XPath(file, "/ZOLTTask/Competition/Pilots/Pilot"),
            "<Pilot ID=\"3\" LastName=\"Muessig\" FirstName=\"Joerg\" Number=\"17\" Nation=\"CHE\" Region=\"Wallis\"/>\n"
            "<Pilot ID=\"4\" LastName=\"Smith\" FirstName=\"Ann\" Number=\"18\" Nation=\"\" Region=\"\"/>");
  EXPECT_EQ(XPath(file, "name(/ZOLTTask/Competition/*[2])"), "Task");
  EXPECT_EQ(XPath(file, "/ZOLTTask/Competition/Task/Turnpoints/Turnpoint[1]"),
            "<Turnpoint Number=\"1\" ID=\"7\" Name=\"Fiesch\" TimeGateType=\"SS\" PositionType=\"WGS\" "
            "LatitudeDirection=\"N\" LatitudeDecimal=\"46.4\" LongitudeDirection=\"E\" LongitudeDecimal=\"8.125\" "
            "MapDate=\"WGS 84\" Eastings=\"432100.5\" Northings=\"5140000\"/>");
  // Text forms: midnight as the zero date, a date and time as the time.
  EXPECT_EQ(XPath(file, "string(/ZOLTTask/Competition/Task/@Date)"), "24.12.2003");
  EXPECT_EQ(XPath(file, "string(/ZOLTTask/Competition/Task/@SSOpen)"), "30.12.1899");
  EXPECT_EQ(XPath(file, "string(/ZOLTTask/Competition/Task/@SSClose)"), "14:30:00");
  EXPECT_EQ(progress.Percentages(), (std::vector<double>{50, 100}));
}

TEST_F(XmlExport, TaskResultFileWritesOnlyTheResultsThatAreSet) {
  const std::string file = Out("result.xml");
  t.Db().ExportTaskResult(file, 5, enumExportXML, progress.object);
  EXPECT_EQ(ReadFile(file),
            "<ZOLTTaskResult><Task ID=\"5\"><Pilots>"
            "<Pilot ID=\"3\" Status=\"ES\" TurnpointsReached=\"3\" PositionLatitudeDecimal=\"46.5\" "
            "PositionCirceled=\"True\" SSTime=\"14:30:00\" PenaltyType=\"0\" Comment=\"fine\"/>"
            "<Pilot ID=\"4\" PositionLatitudeDecimal=\"0\"/>"
            "</Pilots></Task></ZOLTTaskResult>");
  t.Db().ExportTaskResult(file, 99, enumExportXML, progress.object);
  EXPECT_EQ(ReadFile(file), "<ZOLTTaskResult><Task ID=\"99\"><Pilots/></Task></ZOLTTaskResult>");
  EXPECT_EQ(progress.Percentages(), (std::vector<double>{50, 100, 50, 100}));
}

TEST_F(XmlExport, ControlCharactersAndBrokenTextStayWellFormed) {
  t.Sql("UPDATE tblPilot SET pilComment = 'a' || char(1) || 'b' || char(9) || 'c<&\"' WHERE pilPk = 4");
  const std::string file = Out("db.xml");
  t.Db().ExportDB(file, enumDB6, enumExportXML, progress.object);
  ASSERT_TRUE(WellFormed(file));
  EXPECT_EQ(XPath(file, "string(//tblPilot[@pilPk=4]/@pilComment)"), "a?b\tc<&\"");
}

TEST_F(XmlExport, FailedExportLeavesNoFileAndKeepsTheExistingOne) {
  const std::string file = Out("task.xml");
  WriteFile(file, "previous");
  EXPECT_EQ(CaughtError([&] { t.Db().ExportTask(file, 42, enumExportXML, progress.object); }).Number(), 3021);
  EXPECT_EQ(ReadFile(file), "previous");
  const std::string noFolder = Out("missing/folder/db.xml");
  EXPECT_EQ(CaughtError([&] { t.Db().ExportDB(noFolder, enumDB6, enumExportXML, progress.object); }).Number(), 75);
  // Only the test file, the placeholder and no temporary leftovers.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(t.Dir().Path())) ++files;
  EXPECT_EQ(files, 2u);
}

}  // namespace
