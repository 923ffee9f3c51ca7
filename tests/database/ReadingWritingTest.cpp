// Reading records by type and key, the dispatch of writes to the rules, and
// the errors of undefined types, through the facade on a real file.
#include <gtest/gtest.h>

#include "support/ErrorCapture.h"
#include "support/TestDatabase.h"
#include "zazorazari/platform/Error.h"

using namespace zazorazari;
using zaztest::CaughtError;
using zaztest::TestDatabase;

TEST(Reading, CompetitionAndCatalogAlwaysReadRowOne) {
  TestDatabase file;
  file.Sql("UPDATE tblCompetition SET comName='Alpine Open'");
  file.Db().CloseDB();
  file.Db().OpenDB();
  auto competition = file.Db().GetDataObject("doCompetition", 99);
  EXPECT_EQ(competition->Name(), "doCompetition");
  EXPECT_EQ(competition->Fields("comName")->Value().Text(), "Alpine Open");
  auto catalog = file.Db().GetDataObject("doCatalog", 0);
  EXPECT_EQ(catalog->Fields(1)->Value().Number(), 1);
  EXPECT_EQ(file.Db().DisplayName(*catalog), "Alpine Open");
}

TEST(Reading, NewPilotCarriesTheCompetitionsAttributeNames) {
  TestDatabase file;
  file.Sql("INSERT INTO tblAttribute (attPk, attName) VALUES (5, 'Club')");
  file.Sql("UPDATE tblCompetition SET attPk2=5");
  file.Db().CloseDB();
  file.Db().OpenDB();
  auto pilot = file.Db().CreateDataObject("doPilot");
  EXPECT_EQ(pilot->Fields("attName2")->Value().Text(), "Club");
  EXPECT_TRUE(pilot->Fields("attName1")->Value().IsNull());
  EXPECT_TRUE(pilot->Fields("pilSex")->Required());
  EXPECT_FALSE(pilot->Fields("pilNumber")->Required());
}

TEST(Reading, EveryRegisteredTypeReadsEmpty) {
  TestDatabase file;
  for (const char* type : {"doCompetition", "doCatalog", "doGlider", "doOrigin", "doReportString", "doAttribute",
                           "tblAttribute", "doAttributeValue", "doPilotAttribute", "doPilot", "doTurnpoint",
                           "doTaskTurnpoint", "doTask", "doResult", "doPilotCompetitionResult", "doGeoDate"}) {
    auto dobj = file.Db().CreateDataObject(type);
    EXPECT_EQ(dobj->Name(), type);
    EXPECT_GT(dobj->Count(), 0) << type;
  }
  auto wgs84 = file.Db().GetDataObject("doGeoDate", 243);
  EXPECT_EQ(wgs84->Fields("gedName")->Value().Text(), "WGS 84");
  EXPECT_EQ(file.Db().DisplayName(*wgs84), "WGS 84");
}

TEST(Reading, ReadErrors) {
  TestDatabase file;
  Error undefined = CaughtError([&] { file.Db().GetDataObject("dopilot", 1); });
  EXPECT_EQ(undefined.Number(), enumErrorUndefinedDataObject);
  EXPECT_EQ(undefined.Description(), "Undefined data object 'dopilot'");

  Error missing = CaughtError([&] { file.Db().GetDataObject("doPilot", 7); });
  EXPECT_EQ(missing.Number(), enumErrorGetDataObject);
  EXPECT_EQ(missing.Source(), "ZAZorazari.CDatabase.GetDataObject");
  EXPECT_EQ(missing.Description().rfind("Cannot get data object 'doPilot' with id=7<Error/3021/", 0), 0u)
      << missing.Description();

  file.Sql("INSERT INTO tblAttribute (attPk, attName) VALUES (4, 'Team')");
  auto attribute = file.Db().GetDataObject("tblAttribute", 4);
  EXPECT_EQ(attribute->Name(), "tblAttribute");
  EXPECT_TRUE(attribute->Fields("attName")->Required());
  EXPECT_EQ(file.Db().DisplayName(*attribute), "?");

  EXPECT_TRUE(file.Db().SupportsReferenceDelete("doAttributeValue"));
  EXPECT_FALSE(file.Db().SupportsReferenceDelete("doAttribute"));
  EXPECT_FALSE(file.Db().SupportsReferenceDelete("no such type"));

  CDatabase closed;
  EXPECT_EQ(CaughtError([&] { closed.GetDataObject("doTask", 0); }).Number(), enumErrorGetDataObject);
}

TEST(Writing, UndefinedTypesAndTheirWrapping) {
  TestDatabase file;
  Error deleteResult = CaughtError([&] { file.Db().DeleteDataObject("doResult", 1, false); });
  EXPECT_EQ(deleteResult.Number(), enumErrorUndefinedDataObject);
  EXPECT_EQ(deleteResult.Description(), "Undefined data object type'doResult'");
  EXPECT_EQ(CaughtError([&] { file.Db().DeleteDataObject("doCompetition", 1, false); }).Number(),
            enumErrorUndefinedDataObject);

  auto attribute = file.Db().CreateDataObject("tblAttribute");
  Error add = CaughtError([&] { file.Db().AddDataObject(*attribute, enumOverwriteRaiseError); });
  EXPECT_EQ(add.Number(), enumErrorAddDataObject);
  EXPECT_NE(add.Description().find("<Error/-2147220988/ZAZorazari.CDatabase.AddDataObject/Undefined data object "
                                   "type'tblAttribute'>"),
            std::string::npos)
      << add.Description();
  EXPECT_EQ(CaughtError([&] { file.Db().AddDataObjectInternal(*attribute, enumOverwriteRaiseError); }).Number(),
            enumErrorUndefinedDataObject);
  EXPECT_EQ(CaughtError([&] { file.Db().UpdateDataObject(*attribute, enumOverwriteRaiseError); }).Number(),
            enumErrorUndefinedDataObject);
  EXPECT_FALSE(file.Db().IsModified());
}

TEST(Collections, RegistryAndUndefinedTypes) {
  TestDatabase file;
  auto attributes = file.Db().CreateDataObjectCollection("docPilotAttribute");
  EXPECT_EQ(attributes->SelectorField(), "pilPk");
  EXPECT_EQ(attributes->KeyField(), "patPk");
  EXPECT_EQ(attributes->Count(), 0);

  Error member = CaughtError([&] { file.Db().GetDataObjectCollection("doPilotAttribute", 1); });
  EXPECT_EQ(member.Number(), enumErrorUndefinedDataObject);
  EXPECT_EQ(member.Description(), "Undefined data object collection type'doPilotAttribute'");

  CDataObjectCollection unnamed;
  EXPECT_EQ(CaughtError([&] { file.Db().UpdateDataObjectCollection(unnamed); }).Number(),
            enumErrorUndefinedDataObject);

  Error badFilter =
      CaughtError([&] { file.Db().GetDataObjectCollection("docTaskTurnpoint", 0, Variant("ttpNr ==== 1")); });
  EXPECT_EQ(badFilter.Number(), enumErrorGetDataObjectCollection);
}

TEST(Collections, TaskTurnpointsFilteredAndOrdered) {
  TestDatabase file;
  file.Sql("INSERT INTO tblTurnpoint (trnPk, trnName) VALUES (1, 'Start'), (2, 'Goal')");
  file.Sql(
      "INSERT INTO tblTaskTurnpoint (tasPk, trnPk, ttpNr, ttpTimeGateType) VALUES "
      "(4, 1, 1, 'SS'), (4, 2, 2, 'ES'), (4, 1, 3, NULL), (5, 2, 1, 'ES')");
  auto list = file.Db().GetDataObjectCollection("docTaskTurnpoint", 4, {}, Variant("ttpNr DESC"));
  ASSERT_EQ(list->Count(), 3);
  EXPECT_EQ(list->Item(1)->Fields("ttpNr")->Value().Number(), 3);
  EXPECT_EQ(list->Item(Variant("1"))->Fields("trnName")->Value().Text(), "Start");
  EXPECT_TRUE(list->Item(1)->Fields("trnPk")->Required());
  EXPECT_EQ(list->SelectorValue(), 4);

  auto endOfSpeed = file.Db().GetDataObjectCollection("docTaskTurnpoint", 0, Variant("ttpTimeGateType=\"ES\""));
  EXPECT_EQ(endOfSpeed->Count(), 2);
  EXPECT_EQ(file.Db().GetDataObjectCollection("docTaskTurnpoint", 0)->Count(), 0);
}
