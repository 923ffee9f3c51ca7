// Pilot writes through the facade on real files: refusals of numbers and
// global IDs, the same-person search, referenced catalogue rows, attribute
// values and the result rows a new pilot brings.
#include <gtest/gtest.h>

#include "rules/RuleTestHelpers.h"
#include "zazorazari/platform/Conversions.h"

using namespace zazorazari;
using namespace zaztest;

TEST(PilotRules, NumberAndIDRefusedWhateverTheMode) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t holder = AddPilot(db, "Meier", "Anna", 12, "CH-1");
  const int32_t other = AddPilot(db, "Keller", "Beat");
  // Null numbers and IDs never collide.
  EXPECT_GT(AddPilot(db, "Roth", "Carla"), other);

  for (EnumOverwriteMode mode : {enumOverwriteForce, enumOverwriteRaiseError, enumOverwriteReturnPk}) {
    db.SetLastDuplicatedPk(0);
    Error sign = CaughtError([&] { db.AddDataObject(*NewPilot(db, "Neu", "Dora", 12.0), mode); });
    EXPECT_EQ(sign.Number(), -2147220985);
    EXPECT_EQ(db.LastDuplicatedPk(), holder);

    db.SetLastDuplicatedPk(0);
    Error id = CaughtError([&] { db.AddDataObject(*NewPilot(db, "Neu", "Dora", 99, "ch-1"), mode); });
    EXPECT_EQ(id.Number(), -2147220984);
    EXPECT_EQ(db.LastDuplicatedPk(), holder);
  }
  EXPECT_EQ(t.Count("tblPilot"), 3);

  // A pilot keeps his own number on modification; another pilot cannot take it.
  auto anna = db.GetDataObject("doPilot", holder);
  anna->Fields("pilComment")->SetValue("changed");
  EXPECT_EQ(db.UpdateDataObject(*anna, enumOverwriteRaiseError), holder);
  auto beat = db.GetDataObject("doPilot", other);
  beat->Fields("pilNumber")->SetValue(12);
  EXPECT_EQ(CaughtError([&] { db.UpdateDataObject(*beat, enumOverwriteForce); }).Number(), -2147220985);
  EXPECT_EQ(t.Scalar("SELECT pilNumber FROM tblPilot WHERE pilPk=" + std::to_string(other)), "");
}

TEST(PilotRules, SamePersonSearch) {
  TestDatabase t;
  CDatabase& db = t.Db();
  auto dated = NewPilot(db, "O'Brien", "Seán");
  dated->Fields("pilBirthday")->SetValue(Variant::Date(DateSerial(1968, 3, 7)));
  const int32_t obrien = db.AddDataObject(*dated, enumOverwriteRaiseError);
  const int32_t quoted = AddPilot(db, "Club \"Les Aigles\"", "D'Arcy");

  // Same names and birthday: the stored pilot, nothing written.
  auto again = NewPilot(db, "O'Brien", "Seán");
  again->Fields("pilBirthday")->SetValue(Variant::Date(DateSerial(1968, 3, 7)));
  EXPECT_EQ(db.AddDataObject(*again, enumOverwriteReturnPk), obrien);
  EXPECT_EQ(CaughtError([&] { AddPilot(db, "O'Brien", "Seán"); }).Number(), enumErrorRecordsetExists);
  EXPECT_EQ(t.Count("tblPilot"), 2);

  // A different known birthday is another person; an unknown one is not.
  auto younger = NewPilot(db, "O'Brien", "Seán");
  younger->Fields("pilBirthday")->SetValue(Variant::Date(DateSerial(1990, 1, 2)));
  const int32_t second = db.AddDataObject(*younger, enumOverwriteRaiseError);
  EXPECT_NE(second, obrien);
  t.Sql("UPDATE tblPilot SET pilBirthday = NULL WHERE pilPk = " + std::to_string(quoted));
  auto withBirthday = NewPilot(db, "Club \"Les Aigles\"", "D'Arcy");
  withBirthday->Fields("pilBirthday")->SetValue(Variant::Date(DateSerial(1970, 5, 6)));
  EXPECT_EQ(db.AddDataObject(*withBirthday, enumOverwriteReturnPk), quoted);

  // Modifying a pilot does not find himself.
  auto self = db.GetDataObject("doPilot", second);
  EXPECT_EQ(db.UpdateDataObject(*self, enumOverwriteRaiseError), second);

  // Force replaces the other person, his results included.
  AddTask(db, "T1");
  const int32_t replaced = db.AddDataObject(*NewPilot(db, "Club \"Les Aigles\"", "D'Arcy"), enumOverwriteForce);
  EXPECT_NE(replaced, quoted);
  EXPECT_EQ(t.Count("tblPilot", "pilPk=" + std::to_string(quoted)), 0);
  ExpectOneResultPerPilotAndTask(t);
}

TEST(PilotRules, ResultRowsComeAndGoWithThePilot) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const double open = DateSerial(2024, 7, 1) + TimeSerial(12, 30, 0);
  const int32_t zolt = AddTask(db, "Race", "ZOLT", Variant::Date(open));
  const int32_t other = AddTask(db, "Open", "zolt", Variant::Date(open));
  AddTask(db, "Plain");

  const int32_t pilot = AddPilot(db, "Meier", "Anna");
  EXPECT_EQ(t.Count("tblResult", "pilPk=" + std::to_string(pilot)), 3);
  const std::string ss = "SELECT resSSTime FROM tblResult WHERE pilPk=" + std::to_string(pilot) + " AND tasPk=";
  EXPECT_NEAR(std::stod(t.Scalar(ss + std::to_string(zolt))), open, 1e-9);
  EXPECT_EQ(t.Scalar(ss + std::to_string(other)), "");  // only "ZOLT" exactly

  db.UpdateDataObject(*db.GetDataObject("doPilot", pilot), enumOverwriteRaiseError);
  AddPilot(db, "Keller", "Beat");
  ExpectOneResultPerPilotAndTask(t);

  db.DeleteDataObject("doPilot", pilot, false);
  EXPECT_EQ(t.Count("tblResult", "pilPk=" + std::to_string(pilot)), 0);
  ExpectOneResultPerPilotAndTask(t);
  EXPECT_EQ(CaughtError([&] { db.DeleteDataObject("doPilot", pilot, false); }).Number(), enumErrorDeleteDataObject);
}

TEST(PilotRules, GliderOriginAndAttributeValues) {
  TestDatabase t;
  CDatabase& db = t.Db();
  auto competition = db.GetDataObject("doCompetition", 1);
  SetFields(*competition, {{"comFAIClass", 3}, {"attName1", "Club"}, {"attName2", "Team"}});
  db.UpdateDataObject(*competition, enumOverwriteRaiseError);

  auto pilot = NewPilot(db, "Meier", "Anna");
  SetFields(*pilot, {{"manName", "Ozone"}, {"gliName", "Enzo"}, {"natCode3", "CHE"}, {"avaValue1", "Aigles"},
                     {"avaValue2", ""}});
  const int32_t anna = db.AddDataObject(*pilot, enumOverwriteRaiseError);
  const std::string annaRow = " FROM tblPilot WHERE pilPk=" + std::to_string(anna);
  EXPECT_EQ(t.Scalar("SELECT CAST(gliFAIClass AS INTEGER) FROM tblGlider WHERE gliPk = (SELECT gliPk" + annaRow + ")"),
            "3");
  EXPECT_EQ(t.Scalar("SELECT n.natCode3 FROM tblOrigin o JOIN tblNation n ON n.natPk = o.natPk "
                     "WHERE o.oriPk = (SELECT oriPk" + annaRow + ")"),
            "CHE");
  EXPECT_EQ(t.Scalar("SELECT avaPk2" + annaRow), "");
  EXPECT_EQ(t.Count("tblPilotAttribute", "pilPk=" + std::to_string(anna)), 1);

  // The same glider is found again; a changed value replaces the old one.
  auto beat = NewPilot(db, "Keller", "Beat");
  beat->FillFieldsFrom(*pilot);
  SetFields(*beat, {{"pilLastName", "Keller"}, {"avaValue1", "Falken"}});
  const int32_t beatKey = db.AddDataObject(*beat, enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT gliPk FROM tblPilot WHERE pilPk=" + std::to_string(beatKey)),
            t.Scalar("SELECT gliPk" + annaRow));
  auto record = db.GetDataObject("doPilot", anna);
  EXPECT_EQ(CStr(record->Fields("avaValue1")->Value()), "Aigles");
  const std::string patPk = t.Scalar("SELECT patPk FROM tblPilotAttribute WHERE pilPk=" + std::to_string(anna));
  SetFields(*record, {{"avaValue1", "Falken"}, {"avaValue2", "Rot"}});
  db.UpdateDataObject(*record, enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT avaPk1" + annaRow), t.Scalar("SELECT avaPk1 FROM tblPilot WHERE pilPk=" +
                                                          std::to_string(beatKey)));
  EXPECT_EQ(t.Count("tblPilotAttribute", "pilPk=" + std::to_string(anna)), 2);
  EXPECT_EQ(t.Count("tblPilotAttribute", "patPk=" + patPk), 1);

  // Clearing a slot removes the pilot's value of that attribute.
  record->Fields("avaValue1")->SetValue(Variant::Null());
  db.UpdateDataObject(*record, enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT avaPk1" + annaRow), "");
  EXPECT_EQ(t.Count("tblPilotAttribute", "pilPk=" + std::to_string(anna)), 1);
}

TEST(PilotRules, CatalogueKeepsValuesOnlyInPilotAttributes) {
  TestDatabase t(enumFileCatalog);
  CDatabase& db = t.Db();
  auto pilot = NewPilot(db, "Meier", "Anna");
  SetFields(*pilot, {{"attName1", "Club"}, {"avaValue1", "Aigles"}});
  const int32_t anna = db.AddDataObject(*pilot, enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT avaPk1 FROM tblPilot WHERE pilPk=" + std::to_string(anna)), "");
  EXPECT_EQ(t.Scalar("SELECT avaValue FROM doPilotAttribute WHERE pilPk=" + std::to_string(anna)), "Aigles");
}

// A write that fails after its first change keeps what it had written: a
// forced replacement deletes the same person, then the number is refused;
// a delete of an absent pilot removes his results, then fails in the engine.
TEST(PilotRules, WhatAFailedWriteLeavesBehind) {
  TestDatabase t;
  CDatabase& db = t.Db();
  AddTask(db, "T1");
  const int32_t twin = AddPilot(db, "Meier", "Anna");
  AddPilot(db, "Keller", "Beat", 7);
  EXPECT_EQ(CaughtError([&] { db.AddDataObject(*NewPilot(db, "Meier", "Anna", 7), enumOverwriteForce); }).Number(),
            -2147220985);
  EXPECT_EQ(t.Count("tblPilot", "pilPk=" + std::to_string(twin)), 0);
  EXPECT_EQ(t.Count("tblResult", "pilPk=" + std::to_string(twin)), 0);

  t.Sql("INSERT INTO tblResult (pilPk, tasPk) VALUES (999, 1)");
  EXPECT_EQ(CaughtError([&] { db.DeleteDataObject("doPilot", 999, false); }).Number(), enumErrorDeleteDataObject);
  EXPECT_EQ(t.Count("tblResult", "pilPk=999"), 0);
}
