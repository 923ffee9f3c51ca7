// Hostile texts in every field a rule searches by, in XML keys, attribute
// names and values, in waypoint names and in record texts. The oracle: the
// same operations with a plain text write exactly the same rows, with the
// plain text where the hostile one is now; nothing else moves.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interchange/InterchangeTestSupport.h"
#include "reliability/ReliabilitySupport.h"
#include "reliability/Workload.h"
#include "rules/RuleTestHelpers.h"
#include "zazorazari/dataobject/modTools.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

struct Hostile {
  const char* label;
  std::string text;
};

const std::vector<Hostile>& HostileTexts() {
  static const std::vector<Hostile> texts = {
      {"apostrophe", "O'Brien d''Arcy '"},
      {"double quote", "Club \"Les Aigles\" \""},
      {"statement", "\"; DELETE * FROM tblPilot; --"},
      {"statement in apostrophes", "'; DELETE * FROM tblPilot WHERE 'a'='a"},
      {"always true", "1 OR 1=1"},
      {"closing brackets", "x\") OR (\"1\"=\"1"},
      {"wildcards", "100% *?_[!a-z]#"},
      {"date and null syntax", "#1/1/2000# ISNULL(pilPk) IS NULL"},
      {"control characters", "tab\there\x01\x02\x1b[31m\x7f"},
      {"long name", std::string(10000, 'x') + "'\"%"},
      {"invalid UTF-8", "M\xfcller \xff\xfe\xc3\x28 \xed\xa0\x80"},
  };
  return texts;
}

const std::string kPlain = "PlainText";

// Replaces every `from` in `text` by `to`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

CDataObjectPtr Record(CDatabase& db, const std::string& type,
                      const std::vector<std::pair<std::string, Variant>>& values) {
  auto record = db.CreateDataObject(type);
  for (const auto& [name, value] : values) record->Fields(name)->SetValue(value);
  return record;
}

// Adds the record, then adds it again asking for the key of the one found:
// the search by the text must find exactly the row just written.
void AddAndFindAgain(CDatabase& db, const std::string& type,
                     const std::vector<std::pair<std::string, Variant>>& values) {
  SCOPED_TRACE(type);
  const int32_t key = db.AddDataObject(*Record(db, type, values), enumOverwriteRaiseError);
  EXPECT_GT(key, 0);
  EXPECT_EQ(db.AddDataObject(*Record(db, type, values), enumOverwriteReturnPk), key);
}

// Every searched field of every entity gets `h`, then a near miss (h + "~")
// that must be a row of its own.
void WriteEverything(CDatabase& db, const std::string& h) {
  for (const std::string& text : {h, h + "~"}) {
    AddAndFindAgain(db, "doAttribute", {{"attName", text}});
    AddAndFindAgain(db, "doAttributeValue", {{"attName", text}, {"avaValue", text}});
    AddAndFindAgain(db, "doGlider", {{"gliName", text}, {"manName", text}});
    AddAndFindAgain(db, "doGeoDate", {{"gedName", text}});
    AddAndFindAgain(db, "doReportString", {{"rstCategory", 1}, {"rstText", text}});
    AddAndFindAgain(db, "doOrigin", {{"natCode3", "CHE"}, {"oriRegion", text}, {"oriRegionShort", text}});
    AddAndFindAgain(db, "doTurnpoint",
                    {{"trnName", text}, {"trnID", text}, {"trnPositionType", "GEO"}, {"geoPk", 243}, {"oriPk", 1}});
  }
  // A pilot whose names, identifier, glider, manufacturer, region and
  // attribute value are all the text.
  auto pilot = db.CreateDataObject("doPilot");
  for (const char* name : {"pilLastName", "pilFirstName", "pilIDGlobal", "gliName", "manName", "oriRegion", "avaValue1"}) {
    pilot->Fields(name)->SetValue(h);
  }
  pilot->Fields("natCode3")->SetValue("CHE");
  pilot->Fields("pilNumber")->SetValue(7);
  const int32_t key = db.AddDataObject(*pilot, enumOverwriteRaiseError);
  EXPECT_EQ(db.AddDataObject(*pilot, enumOverwriteReturnPk), key);
  EXPECT_EQ(db.GetDataObject("doPilot", key)->Fields("avaValue1")->Value().Text(), h);
  AddTask(db, h);
}

class Injection : public ::testing::TestWithParam<Hostile> {
 protected:
  // The dump of a fresh file after `write` with the given text.
  std::string DumpAfter(const std::function<void(TestDatabase&)>& write) {
    TestDatabase t;
    t.Sql("INSERT INTO tblAttribute (attPk, attName) VALUES (100, 'Club');"
          "UPDATE tblCompetition SET attPk1 = 100;");
    t.Db().CloseDB();
    t.Db().OpenDB();
    write(t);
    t.Db().CloseDB();
    EXPECT_EQ(IntegrityCheck(t.FilePath()), "ok");
    return DumpDatabase(t.FilePath());
  }
};

TEST_P(Injection, RulesStoreAndFindTheTextExactly) {
  const std::string& h = GetParam().text;
  const std::string plain = DumpAfter([&](TestDatabase& t) { WriteEverything(t.Db(), kPlain); });
  const std::string hostile = DumpAfter([&](TestDatabase& t) { WriteEverything(t.Db(), h); });
  ASSERT_NE(plain.find(kPlain), std::string::npos);
  // gtest shows the lines where the hostile run wrote other rows or values.
  EXPECT_EQ(Replaced(hostile, h, kPlain), plain);
}

TEST_P(Injection, XmlValuesComeBackExactly) {
  const std::string& h = GetParam().text;
  // Text that XML cannot carry is not what this test is about.
  if (h.find_first_of("\x01\x02\x1b\x7f") != std::string::npos || GetParam().label == std::string("invalid UTF-8")) {
    GTEST_SKIP() << "not representable in XML 1.0 / UTF-8";
  }
  TestDatabase source;
  source.Sql("INSERT INTO tblAttribute (attPk, attName) VALUES (100, 'Club'); UPDATE tblCompetition SET attPk1 = 100;");
  source.Db().CloseDB();
  source.Db().OpenDB();
  WriteEverything(source.Db(), h);
  const std::string first = source.Dir().File("first.xml");
  source.Db().ExportDB(first, enumDB6, enumExportXML, ProgressRecorder().object);
  ASSERT_TRUE(WellFormed(first));

  TestDatabase target;
  target.Db().ImportDBFromXML(first, ProgressRecorder().object);
  // Every column that a rule searches by holds the text in as many rows
  // as in the source (origins travel without their regions).
  const std::string quoted = "'" + Replaced(h, "'", "''") + "'";
  for (const auto& [table, column] : std::vector<std::pair<std::string, std::string>>{
           {"tblAttribute", "attName"}, {"tblAttributeValue", "avaValue"}, {"tblGlider", "gliName"},
           {"tblManufacturer", "manName"}, {"tblGeoDate", "gedName"}, {"tblReportString", "rstText"},
           {"tblTurnpoint", "trnName"},
           {"tblTurnpoint", "trnID"}, {"tblTask", "tasName"}}) {
    const long long rows = source.Count(table, column + " = " + quoted);
    EXPECT_GT(rows, 0) << column;
    EXPECT_EQ(target.Count(table, column + " = " + quoted), rows) << column;
  }
  EXPECT_EQ(target.Count("tblPilot"), 1);
  EXPECT_EQ(target.Count("tblPilot", "pilLastName = " + quoted), 1);
}

TEST_P(Injection, RecordTextFormReadsBackEveryTextField) {
  const std::string& h = GetParam().text;
  TestDatabase t;
  auto pilot = t.Db().CreateDataObject("doPilot");
  std::string form;  // only text fields: an empty date text fails by design
  for (const auto& field : *pilot) {
    if (field->DataType() == 10 || field->DataType() == 12) form += field->Name() + "=" + h + "\r\n";
  }
  pilot->FromString(form);
  // The text form has always turned double quotes into apostrophes.
  for (const auto& field : *pilot) {
    if (field->DataType() == 10 || field->DataType() == 12) {
      EXPECT_EQ(field->Value().Text(), QuotesToApostrophes(h)) << field->Name();
    }
  }
  pilot->Fields("natCode3")->SetValue("CHE");
  const int32_t key = t.Db().AddDataObject(*pilot, enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT pilLastName FROM tblPilot WHERE pilPk = " + std::to_string(key)), QuotesToApostrophes(h));
  EXPECT_EQ(t.Count("tblPilot"), 1);
}

TEST_P(Injection, WaypointNamesAreStoredAndFoundExactly) {
  const std::string& h = GetParam().text;
  const bool cp1252 = GetParam().label == std::string("invalid UTF-8");
  TestDatabase t;
  auto answers = std::make_shared<AnswerYes>();
  t.Db().SetUserInterface(answers);
  const std::string file = t.Dir().File("hostile.wpt");
  WriteFile(file, "OziExplorer\r\nWGS 84\r\nx\r\ny\r\n1," + h + ",46.5,8.25\r\n2," + h + "~,-33.25,-0.5\r\n");
  ProgressRecorder progress;
  t.Db().ImportTurnpointsFromWPT(file, progress.object);
  t.Db().ImportTurnpointsFromWPT(file, progress.object);  // both found again: overwritten, not added
  EXPECT_EQ(t.Count("tblTurnpoint"), 2);
  if (!cp1252) {
    EXPECT_EQ(t.Count("tblTurnpoint", "trnName = '" + Replaced(h, "'", "''") + "' AND trnID = trnName"), 1);
  }
  EXPECT_EQ(t.Count("tblPilot"), 0);
  EXPECT_EQ(IntegrityCheck(t.FilePath()), "ok");
}

INSTANTIATE_TEST_SUITE_P(Texts, Injection, ::testing::ValuesIn(HostileTexts()), [](const auto& info) {
  std::string name;
  for (const char c : std::string(info.param.label)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

// A NUL cannot be stored: the write fails with the engine's conversion
// error and leaves nothing of the record behind.
TEST(InjectionNul, TextWithNulIsRefusedAndWritesNothing) {
  const std::string h("before\0after", 12);
  TestDatabase t;
  t.Db().CloseDB();
  const std::string before = DumpDatabase(t.FilePath());
  t.Db().OpenDB();
  for (const auto& [type, field] : std::vector<std::pair<std::string, std::string>>{
           {"doAttribute", "attName"}, {"doGeoDate", "gedName"}, {"doReportString", "rstText"}}) {
    const Error error = Caught([&] { t.Db().AddDataObject(*Record(t.Db(), type, {{field, h}}), enumOverwriteRaiseError); });
    EXPECT_TRUE(CarriesEngineError(error, 3421)) << type << ": " << error.Description();
  }
  t.Db().CloseDB();
  EXPECT_EQ(DumpDatabase(t.FilePath()), before);
}

// Values of a task result file go through the rules as values.
TEST(InjectionXml, TaskResultValuesAreStoredAsText) {
  TestDatabase t;
  const int32_t task = AddTask(t.Db(), "T");
  const int32_t pilot = AddPilot(t.Db(), "P", "Q");
  for (const auto& hostile : HostileTexts()) {
    if (hostile.text.find_first_of("\x01\x02\x1b\x7f") != std::string::npos || hostile.text.find('\xff') != std::string::npos) {
      continue;
    }
    std::string escaped = Replaced(Replaced(Replaced(hostile.text, "&", "&amp;"), "\"", "&quot;"), "<", "&lt;");
    const std::string file = t.Dir().File("result.xml");
    WriteFile(file, "<ZOLTTaskResult><Task ID=\"" + std::to_string(task) + "\"><Pilots><Pilot ID=\"" +
                        std::to_string(pilot) + "\" Status=\"" + escaped + "\" Comment=\"" + escaped +
                        "\"/></Pilots></Task></ZOLTTaskResult>");
    t.Db().ImportTaskResultFromXML(file, ProgressRecorder().object);
    EXPECT_EQ(t.Count("tblResult", "resComment = '" + Replaced(hostile.text, "'", "''") + "' AND resStatus = resComment"), 1)
        << hostile.label;
    EXPECT_EQ(t.Count("tblResult"), 1);
    EXPECT_EQ(t.Count("tblPilot"), 1);
  }
}

}  // namespace
