// Competition writes through the facade: attribute slots chosen by name and
// the pilots' slot values that follow them, formula parameter rows, the
// catalogue date, and attribute values carried over from another file.
#include <gtest/gtest.h>

#include <cmath>

#include "rules/RuleTestHelpers.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/platform/Clock.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRuleObjects.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

void SetSlots(CDatabase& db, const Variant& a1, const Variant& a2, const Variant& a3) {
  auto competition = db.GetDataObject("doCompetition", 1);
  SetFields(*competition, {{"attName1", a1}, {"attName2", a2}, {"attName3", a3}});
  db.UpdateDataObject(*competition, enumOverwriteRaiseError);
}

// Attribute `name` with value `value` held by `pilot`, written around the rules.
void GiveValue(const TestDatabase& t, int32_t pilot, const std::string& name, const std::string& value) {
  t.Sql("INSERT INTO tblAttribute (attName) SELECT '" + name + "' WHERE NOT EXISTS "
        "(SELECT 1 FROM tblAttribute WHERE attName = '" + name + "')");
  t.Sql("INSERT INTO tblAttributeValue (attPk, avaValue) SELECT attPk, '" + value +
        "' FROM tblAttribute WHERE attName = '" + name + "'");
  t.Sql("INSERT INTO tblPilotAttribute (pilPk, avaPk) VALUES (" + std::to_string(pilot) +
        ", (SELECT MAX(avaPk) FROM tblAttributeValue))");
}

std::string Slot(const TestDatabase& t, int32_t pilot, int slot) {
  return t.Scalar("SELECT v.avaValue FROM tblPilot p JOIN tblAttributeValue v ON v.avaPk = p.avaPk" +
                  std::to_string(slot) + " WHERE p.pilPk = " + std::to_string(pilot));
}

}  // namespace

TEST(CompetitionRules, AddIsRefusedAndUpdateReloadsTheCompetition) {
  TestDatabase t;
  CDatabase& db = t.Db();
  auto competition = db.GetDataObject("doCompetition", 1);
  Variant refused = FacadeInternals::Rules(db).Competition().Update(enumUpdateNew, *competition, enumOverwriteRaiseError);
  ASSERT_TRUE(refused.IsError());
  EXPECT_EQ(refused.ErrorCode(), enumInternalErrorFunctionNotSupported);

  competition->Fields("comName")->SetValue("Swiss Open");
  EXPECT_EQ(db.AddDataObject(*competition, enumOverwriteRaiseError), 1);
  EXPECT_EQ(db.CompetitionName(), "Swiss Open");
}

TEST(CompetitionRules, SlotChangesRecomputePilotValues) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t anna = AddPilot(db, "Meier", "Anna");
  const int32_t beat = AddPilot(db, "Keller", "Beat");
  GiveValue(t, anna, "Club", "Aigles");
  GiveValue(t, beat, "Club", "Falken");
  GiveValue(t, anna, "Wing", "Red");
  GiveValue(t, anna, "Size", "M");

  SetSlots(db, "Club", "Size", "Wing");
  EXPECT_EQ(Slot(t, anna, 1), "Aigles");
  EXPECT_EQ(Slot(t, beat, 1), "Falken");
  EXPECT_EQ(Slot(t, anna, 2), "M");
  EXPECT_EQ(Slot(t, anna, 3), "Red");
  EXPECT_EQ(Slot(t, beat, 3), "");

  // Slots that stay the same leave the pilot rows alone.
  t.Sql("UPDATE tblPilot SET avaPk1 = NULL WHERE pilPk = " + std::to_string(beat));
  auto competition = db.GetDataObject("doCompetition", 1);
  competition->Fields("comName")->SetValue("renamed");
  db.UpdateDataObject(*competition, enumOverwriteRaiseError);
  EXPECT_EQ(Slot(t, beat, 1), "");

  // A new name creates its attribute once; a cleared slot empties every pilot's.
  SetSlots(db, "Club", "Colour", Variant::Null());
  SetSlots(db, "Club", "Colour", Variant::Null());
  EXPECT_EQ(t.Count("tblAttribute", "attName = 'Colour'"), 1);
  EXPECT_EQ(Slot(t, beat, 1), "Falken");
  EXPECT_EQ(t.Count("tblPilot", "avaPk2 IS NOT NULL OR avaPk3 IS NOT NULL"), 0);
  EXPECT_EQ(t.Scalar("SELECT attPk3 FROM tblCompetition"), "");
  EXPECT_EQ(CStr(db.CompetitionObject()->Fields("attName2")->Value()), "Colour");
}

TEST(CompetitionRules, FormulaRows) {
  TestDatabase t;
  CDatabase& db = t.Db();
  AddTask(db, "T1");
  AddTask(db, "T2");
  auto competition = db.GetDataObject("doCompetition", 1);
  SetFields(*competition, {{"comFormulaID", 7}, {"forParameter", "nominal=70"}});
  db.UpdateDataObject(*competition, enumOverwriteRaiseError);
  EXPECT_EQ(t.Count("tblFormulaTask", "fotFormulaID = 7 AND fotParameter = ' '"), 2);
  EXPECT_EQ(t.Count("tblFormulaTask", "fotFormulaID = 0"), 2);  // other formulas stay
  EXPECT_EQ(db.CompetitionFormulaParameter(7), "nominal=70");

  competition->Fields("forParameter")->SetValue("nominal=80");
  db.UpdateDataObject(*competition, enumOverwriteRaiseError);
  EXPECT_EQ(t.Count("tblFormulaTask"), 4);
  EXPECT_EQ(t.Count("tblFormulaCompetition", "forPk = 7"), 1);
  EXPECT_EQ(db.CompetitionFormulaParameter(7), "nominal=80");
}

TEST(CompetitionRules, CatalogueDateIsTheDayOfTheWrite) {
  const Variant past = Variant::Date(DateSerial(2000, 1, 1));
  TestDatabase catalogue(enumFileCatalog);
  auto record = catalogue.Db().GetDataObject("doCatalog", 1);
  record->Fields("comDateTo")->SetValue(past);
  catalogue.Db().UpdateDataObject(*record, enumOverwriteRaiseError);
  EXPECT_EQ(std::stod(catalogue.Scalar("SELECT comDateTo FROM tblCompetition")), std::floor(Now()));

  TestDatabase competition;
  record = competition.Db().GetDataObject("doCompetition", 1);
  record->Fields("comDateTo")->SetValue(past);
  competition.Db().UpdateDataObject(*record, enumOverwriteRaiseError);
  EXPECT_EQ(std::stod(competition.Scalar("SELECT comDateTo FROM tblCompetition")), DateSerial(2000, 1, 1));
}

TEST(CompetitionRules, ValuesFromAnotherFileTravelByAttributeName) {
  TestDatabase source;
  const int32_t anna = AddPilot(source.Db(), "Meier", "Anna");
  GiveValue(source, anna, "Club", "Aigles");
  GiveValue(source, anna, "Wing", "Red");

  TestDatabase target;
  SetSlots(target.Db(), "Wing", "Size", Variant::Null());
  auto pilot = source.Db().GetDataObject("doPilot", anna);
  EXPECT_EQ(target.Db().SetContext(*pilot, source.Db()), 0);
  EXPECT_EQ(CStr(pilot->Fields("attName1")->Value()), "Wing");
  EXPECT_EQ(CStr(pilot->Fields("avaValue1")->Value()), "Red");
  EXPECT_EQ(CStr(pilot->Fields("attName2")->Value()), "Size");
  EXPECT_TRUE(pilot->Fields("avaValue2")->Value().IsNull());
  EXPECT_TRUE(pilot->Fields("attName3")->Value().IsNull());

  EXPECT_EQ(target.Db().SetContext(*source.Db().CreateDataObject("doTask"), source.Db()), -2147220988);

  // The prepared pilot lands with his value for this file's attribute.
  const int32_t copied = target.Db().AddDataObject(*pilot, enumOverwriteRaiseError);
  EXPECT_EQ(Slot(target, copied, 1), "Red");
}
