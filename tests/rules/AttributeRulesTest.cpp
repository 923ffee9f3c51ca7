// Attribute writes through the facade on real files: overwrite modes on the
// attribute name, values found or created with their attribute, deletes that
// refuse while a pilot holds a value, and a pilot's attribute list write-back.
#include <gtest/gtest.h>

#include "rules/RuleTestHelpers.h"
#include "zazorazari/rules/CAttribute.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

int32_t AddAttribute(CDatabase& db, const std::string& name, EnumOverwriteMode mode = enumOverwriteRaiseError) {
  return db.AddDataObject(*NewObject(db, "doAttribute", {{"attName", name}}), mode);
}

int32_t AddValue(CDatabase& db, const std::string& attribute, const std::string& value,
                 EnumOverwriteMode mode = enumOverwriteRaiseError) {
  return db.AddDataObject(*NewObject(db, "doAttributeValue", {{"attName", attribute}, {"avaValue", value}}), mode);
}

// A pilot row holding `avaPk` in slot `slot` and one tblPilotAttribute row for it.
std::string InsertPilotHolding(const TestDatabase& t, int slot, int32_t avaPk) {
  t.Sql("INSERT INTO tblPilot (pilLastName, avaPk" + std::to_string(slot) + ") VALUES ('Holder', " +
        std::to_string(avaPk) + ")");
  const std::string pilPk = t.Scalar("SELECT MAX(pilPk) FROM tblPilot");
  t.Sql("INSERT INTO tblPilotAttribute (pilPk, avaPk) VALUES (" + pilPk + ", " + std::to_string(avaPk) + ")");
  return pilPk;
}

}  // namespace

TEST(AttributeRules, OverwriteModesOnAttributeName) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t club = AddAttribute(db, "Club \"O'Hara\"");

  Error raised = CaughtError([&] { AddAttribute(db, "Club \"O'Hara\""); });
  EXPECT_EQ(raised.Number(), -2147220989);
  EXPECT_EQ(raised.Description(), "Cannot add data object.");
  EXPECT_EQ(t.Count("tblAttribute"), 1);

  const Variant internal = db.AddDataObjectInternal(*NewObject(db, "doAttribute", {{"attName", "Club \"O'Hara\""}}),
                                                    enumOverwriteRaiseError);
  EXPECT_TRUE(internal.IsError() && internal.ErrorCode() == 3);

  EXPECT_EQ(AddAttribute(db, "Club \"O'Hara\"", enumOverwriteReturnPk), club);
  const int32_t forced = AddAttribute(db, "Club \"O'Hara\"", enumOverwriteForce);
  EXPECT_GT(forced, club);
  EXPECT_EQ(t.Count("tblAttribute"), 1);

  // Its own name is no collision; another attribute's name is.
  auto stored = db.GetDataObject("doAttribute", forced);
  EXPECT_EQ(db.UpdateDataObject(*stored, enumOverwriteRaiseError), forced);
  const int32_t sex = AddAttribute(db, "Sex");
  stored->Fields("attName")->SetValue("Sex");
  EXPECT_EQ(CaughtError([&] { db.UpdateDataObject(*stored, enumOverwriteRaiseError); }).Number(),
            enumErrorRecordsetExists);
  EXPECT_EQ(db.UpdateDataObject(*stored, enumOverwriteReturnPk), sex);
}

TEST(AttributeRules, ValuesCreateTheirAttribute) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t woman = AddValue(db, "Sex", "F");
  EXPECT_EQ(t.Count("tblAttribute", "attName='Sex'"), 1);
  EXPECT_EQ(AddValue(db, "Sex", "F", enumOverwriteReturnPk), woman);
  EXPECT_EQ(CaughtError([&] { AddValue(db, "Sex", "F"); }).Number(), enumErrorRecordsetExists);

  // The same text under another attribute is another value.
  EXPECT_NE(AddValue(db, "Class", "F"), woman);
  EXPECT_EQ(t.Count("tblAttribute"), 2);
}

TEST(AttributeRules, ValueDeleteRefusedWhileAPilotHoldsIt) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t junior = AddValue(db, "Age", "Junior");
  const std::string pilot = InsertPilotHolding(t, 3, junior);

  Error refused = CaughtError([&] { db.DeleteDataObject("doAttributeValue", junior, false); });
  EXPECT_EQ(refused.Number(), -2147220966);
  EXPECT_EQ(refused.Description(), "Cannot delete data object.");
  EXPECT_EQ(t.Count("tblAttributeValue"), 1);
  EXPECT_EQ(t.Count("tblPilotAttribute"), 1);

  db.DeleteDataObject("doAttributeValue", junior, true);
  EXPECT_EQ(t.Scalar("SELECT avaPk3 IS NULL FROM tblPilot WHERE pilPk=" + pilot), "1");
  EXPECT_EQ(t.Count("tblAttributeValue"), 0);
  EXPECT_EQ(t.Count("tblPilotAttribute"), 0);
}

TEST(AttributeRules, AttributeDeleteTakesValuesAndCompetitionSlot) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t junior = AddValue(db, "Age", "Junior");
  AddValue(db, "Age", "Senior");
  const int32_t kept = AddValue(db, "Club", "Aigles");
  const std::string age = t.Scalar("SELECT attPk FROM tblAttribute WHERE attName='Age'");
  t.Sql("UPDATE tblCompetition SET attPk2=" + age);
  const std::string pilot = InsertPilotHolding(t, 1, junior);
  InsertPilotHolding(t, 4, kept);

  CAttribute rule;
  rule.Setm_objCDatabase(&db);
  Variant refused = rule.Delete(std::stoi(age), false);
  ASSERT_TRUE(refused.IsError());
  EXPECT_EQ(refused.ErrorCode(), enumInternalErrorDeleteRefToPilot);
  EXPECT_EQ(t.Count("tblAttributeValue"), 3);

  EXPECT_TRUE(rule.Delete(std::stoi(age), true).IsEmpty());
  EXPECT_EQ(t.Count("tblAttribute"), 1);
  EXPECT_EQ(t.Count("tblAttributeValue"), 1);
  EXPECT_EQ(t.Count("tblPilotAttribute"), 1);
  EXPECT_EQ(t.Scalar("SELECT avaPk1 IS NULL FROM tblPilot WHERE pilPk=" + pilot), "1");
  EXPECT_EQ(t.Scalar("SELECT attPk2 IS NULL FROM tblCompetition"), "1");
  EXPECT_TRUE(db.CompetitionObject()->Fields("attPk2")->Value().IsNull());
}

TEST(AttributeRules, PilotAttributeCollectionWriteBack) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const std::string pilot = InsertPilotHolding(t, 1, AddValue(db, "Club", "Old"));
  const int32_t pilPk = std::stoi(pilot);
  InsertPilotHolding(t, 1, AddValue(db, "Club", "Other pilot's"));

  auto list = db.GetDataObjectCollection("docPilotAttribute", pilPk);
  ASSERT_EQ(list->Count(), 1);
  list->Item(1)->Fields("avaValue")->SetValue("New \"one\"");
  auto added = NewObject(db, "doPilotAttribute", {{"pilPk", pilPk}, {"attName", "Sex"}, {"avaValue", "M"}});
  list->Add(added);
  db.UpdateDataObjectCollection(*list);

  EXPECT_EQ(t.Count("tblPilotAttribute", "pilPk=" + pilot), 2);
  EXPECT_EQ(t.Count("tblPilotAttribute"), 3);
  EXPECT_EQ(db.GetDataObjectCollection("docPilotAttribute", pilPk)->Count(), 2);
  EXPECT_EQ(t.Count("doPilotAttribute", "pilPk=" + pilot + " AND attName='Sex' AND avaValue='M'"), 1);
  EXPECT_EQ(t.Count("doPilotAttribute", "pilPk=" + pilot + " AND avaValue='New \"one\"'"), 1);
}
