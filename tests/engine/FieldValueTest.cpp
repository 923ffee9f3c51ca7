// Declared column types as field types and sizes, values read back typed by
// them, and conversion of assigned values with its refusals.
#include "engine/EngineTestDb.h"

#include <cmath>

#include "zazorazari/platform/Conversions.h"

namespace {

using namespace zazorazari;
using namespace zazorazari::engine;
using zaztest::ErrorNumberOf;

class FieldValueTest : public zaztest::EngineTest {
 protected:
  // Assigns `value` to `column` of a new row and reads back what was stored.
  Variant RoundTrip(const std::string& column, const Variant& value) {
    auto rs = m_db->OpenRecordset("tblTypes");
    rs->AddNew();
    rs->Fields(column).SetValue(value);
    rs->Update();
    rs->SetBookmark(rs->LastModified());
    return rs->Fields(column).Value();
  }
};

TEST_F(FieldValueTest, DeclaredTypesGiveTypeAndSize) {
  const std::vector<FieldDef>& defs = m_db->TableDefs("TBLTYPES");
  const std::pair<int32_t, int32_t> expected[] = {{4, 4}, {1, 1},  {2, 1},  {3, 2},  {4, 4},    {5, 8}, {6, 4},
                                                  {7, 8}, {8, 8},  {10, 20}, {10, 255}, {12, 0}, {19, 16}};
  ASSERT_EQ(defs.size(), std::size(expected));
  for (size_t i = 0; i < defs.size(); ++i) {
    EXPECT_EQ(defs[i].Type, expected[i].first) << defs[i].Name;
    EXPECT_EQ(defs[i].Size, expected[i].second) << defs[i].Name;
  }
  const std::vector<FieldDef>& view = m_db->QueryDefs("doPilot");
  ASSERT_EQ(view.size(), 4u);
  EXPECT_EQ(view[1].Name, "pilLastName");
  EXPECT_EQ(view[1].Type, dbText);
  EXPECT_EQ(view[1].Size, 50);
  EXPECT_EQ(view[2].Type, dbDate);
  EXPECT_EQ(view[3].Size, 60);
  EXPECT_EQ(ErrorNumberOf([&] { m_db->QueryDefs("tblPilot"); }), 3265);
  EXPECT_EQ(ErrorNumberOf([&] { m_db->TableDefs("doPilot"); }), 3265);
}

TEST_F(FieldValueTest, ValuesReadBackTypedByTheColumn) {
  Exec("INSERT INTO tblTypes VALUES (1, -1, 200, -300, 70000, 1.2345, 0.5, 2.25, 37000.75, '00123', 'x', 'memo', 3.5)");
  auto rs = m_db->OpenRecordset("tblTypes");
  const VbVarType expected[] = {vtLong,   vtBoolean, vtByte, vtInteger, vtLong,   vtCurrency, vtSingle,
                                vtDouble, vtDate,    vtString, vtString, vtString, vtDouble};
  for (int32_t i = 0; i < rs->FieldCount(); ++i) EXPECT_EQ(rs->Fields(i).Value().VarType(), expected[i]) << i;
  EXPECT_EQ(rs->Fields("colText").Value().Text(), "00123");  // text affinity keeps it text
  EXPECT_TRUE(rs->Fields("colBool").Value().Number() != 0);
  EXPECT_EQ(rs->Fields("colDate").Value().Number(), 37000.75);
}

TEST_F(FieldValueTest, AssignmentsConvertToTheColumnType) {
  EXPECT_EQ(RoundTrip("colLong", "42").VarType(), vtLong);
  EXPECT_EQ(RoundTrip("colLong", 2.5).Number(), 2);   // half to even
  EXPECT_EQ(RoundTrip("colSmall", 3.5).Number(), 4);
  EXPECT_EQ(RoundTrip("colDouble", "1.5E3").Number(), 1500);
  EXPECT_EQ(RoundTrip("colDate", "24.12.2003 14:30").Number(), DateSerial(2003, 12, 24) + TimeSerial(14, 30, 0));
  EXPECT_EQ(RoundTrip("colDate", "2003-12-24").VarType(), vtDate);
  EXPECT_EQ(RoundTrip("colBool", "Yes").VarType(), vtBoolean);
  EXPECT_EQ(RoundTrip("colBool", "false").Number(), 0);
  EXPECT_EQ(Scalar("SELECT group_concat(colBool) FROM tblTypes WHERE colBool IS NOT NULL"), "-1,0");
  EXPECT_EQ(RoundTrip("colBool", 7).Number(), -1);
  EXPECT_EQ(RoundTrip("colText", 1.5).Text(), "1.5");
  EXPECT_EQ(RoundTrip("colText", true).Text(), "True");
  EXPECT_EQ(RoundTrip("colText", "").Text(), "");
  EXPECT_TRUE(RoundTrip("colLong", "").IsNull());
  EXPECT_TRUE(RoundTrip("colDate", "  ").IsNull());
  EXPECT_TRUE(RoundTrip("colText", Variant::Null()).IsNull());
  EXPECT_EQ(RoundTrip("colCur", 1.23456).Number(), 1.2346);
  EXPECT_EQ(RoundTrip("colMemo", "Zoë \"Ü\" O'Neil").Text(), "Zoë \"Ü\" O'Neil");
}

TEST_F(FieldValueTest, UnconvertibleValuesFailWith3421) {
  auto rs = m_db->OpenRecordset("tblTypes");
  rs->AddNew();
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("colLong").SetValue("abc"); }), 3421);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("colByte").SetValue(256); }), 3421);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("colSmall").SetValue(40000); }), 3421);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("colBool").SetValue("maybe"); }), 3421);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("colDate").SetValue("31.02.2003"); }), 3421);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("colText").SetValue(std::string("a\0b", 3)); }), 3421);
  try {
    rs->Fields("colLong").SetValue("x");
  } catch (const Error& error) {
    EXPECT_EQ(error.Source(), "Engine.Field");
  }
}

}  // namespace
