// The generic record: keyed field access, copies, comparison, the text form
// and its re-reading, and the exchange with recordsets of a real file.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "support/TestSupport.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/engine/DBEngine.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/Error.h"

using namespace zazorazari;

namespace {

template <class F>
int32_t ErrorNumberOf(F&& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

// A with 1, B NULL, C the text x: the record of the text form examples.
CDataObject MakeAbc() {
  CDataObject dobj;
  dobj.Add(4, 4, false, 1, "A");
  dobj.Add(50, 10, false, Variant::Null(), "B");
  dobj.Add(50, 10, false, "x", "C");
  return dobj;
}

TEST(CDataObjectKeys, PositionsAndKeysFailWithTheirNumbers) {
  CDataObject dobj = MakeAbc();
  EXPECT_EQ(dobj.Item(2)->Name(), "B");
  EXPECT_EQ(dobj.Fields("c")->Name(), "C");
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Item(0); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Item(4); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Fields("D"); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Item(Variant()); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Remove("D"); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Remove(-1); }), 9);
  EXPECT_TRUE(dobj.HasField("a"));
  EXPECT_FALSE(dobj.HasField("D"));
}

TEST(CDataObjectKeys, DuplicateIgnoringCaseIsRefusedAndNothingAdded) {
  CDataObject dobj;
  dobj.Add(20, 10, false, "x", "PILNAME");
  EXPECT_EQ(ErrorNumberOf([&] { dobj.Add(20, 10, false, "y", "pilName"); }), 457);
  auto field = std::make_shared<CField>();
  field->SetName("PilName");
  EXPECT_EQ(ErrorNumberOf([&] { dobj.AddField(field); }), 457);
  EXPECT_EQ(dobj.Count(), 1);
  EXPECT_EQ(dobj.Fields("pilname")->Value(), Variant("x"));
}

TEST(CDataObjectKeys, RemoveKeepsTheOtherKeysPointingAtTheirFields) {
  CDataObject dobj = MakeAbc();
  dobj.Add(4, 4, false, 4, "D");
  dobj.Remove("B");
  dobj.Remove(1);
  ASSERT_EQ(dobj.Count(), 2);
  EXPECT_EQ(dobj.Fields("C")->Name(), "C");
  EXPECT_EQ(dobj.Fields("D")->Name(), "D");
  EXPECT_EQ(dobj.Item(2)->Name(), "D");
  dobj.Add(4, 4, false, 1, "a");  // the removed key is free again
  EXPECT_EQ(dobj.Item(3)->Name(), "a");
}

TEST(CDataObjectKeys, RenamingAFieldKeepsItsKey) {
  CDataObject dobj = MakeAbc();
  dobj.Fields("A")->SetName("Z");
  EXPECT_TRUE(dobj.HasField("A"));
  EXPECT_FALSE(dobj.HasField("Z"));
}

TEST(CDataObjectText, OneLinePerFieldEachEndedByCrLf) {
  EXPECT_EQ(MakeAbc().ToString(), "A=1\r\nB=\r\nC=x\r\n");
  EXPECT_EQ(CDataObject().ToString(), "");

  CDataObject typed;
  typed.Add(8, 7, false, 2.5, "dbl");
  typed.Add(1, 1, false, true, "bool");
  typed.Add(8, 8, false, Variant::Date(DateSerial(2003, 12, 24)), "day");
  typed.Add(8, 8, false, Variant::Date(DateSerial(2003, 12, 24) + TimeSerial(14, 30, 0)), "stamp");
  EXPECT_EQ(typed.ToString(), "dbl=2.5\r\nbool=True\r\nday=24.12.2003\r\nstamp=24.12.2003 14:30:00\r\n");
}

TEST(CDataObjectText, ReadsBackNumbersTextAndDatesWithoutNull) {
  CDataObject source = MakeAbc();
  source.Add(8, 8, false, Variant::Date(DateSerial(2003, 12, 24)), "D");
  CDataObject target;
  target.Add(4, 4, false, 0, "A");
  target.Add(50, 10, false, "old", "B");
  target.Add(50, 10, false, "old", "C");
  target.Add(8, 8, false, Variant::Null(), "D");
  target.FromString(source.ToString());
  EXPECT_EQ(target.Fields("A")->Value().VarType(), vtDouble);
  EXPECT_EQ(target.Fields("A")->Value(), Variant(1));
  EXPECT_EQ(target.Fields("B")->Value().VarType(), vtString);
  EXPECT_EQ(target.Fields("B")->Value().Text(), "");
  EXPECT_EQ(target.Fields("C")->Value(), Variant("x"));
  EXPECT_EQ(target.Fields("D")->Value(), source.Fields("D")->Value());
}

TEST(CDataObjectText, FirstOccurrenceAnywhereWinsAndUnknownLinesAreIgnored) {
  CDataObject dobj;
  dobj.Add(4, 4, false, 0, "Pk");
  dobj.Add(4, 4, false, 0, "tasPk");
  dobj.Add(4, 4, false, 42, "untouched");
  dobj.FromString("tasPk=5\r\nPk=7\r\nother=9\r\n");
  EXPECT_EQ(dobj.Fields("Pk")->Value(), Variant(5));  // found inside "tasPk="
  EXPECT_EQ(dobj.Fields("tasPk")->Value(), Variant(5));
  EXPECT_EQ(dobj.Fields("untouched")->Value(), Variant(42));
  EXPECT_EQ(dobj.Count(), 3);
}

TEST(CDataObjectText, DoubleQuoteComesBackAsApostrophe) {
  CDataObject dobj;
  dobj.Add(50, 10, false, "Club \"Les Aigles\"", "club");
  const std::string text = dobj.ToString();
  dobj.FromString(text);
  EXPECT_EQ(dobj.Fields("club")->Value(), Variant("Club 'Les Aigles'"));
}

TEST(CDataObjectText, MissingLineEndFailsWithFiveAfterEarlierFieldsAreSet) {
  CDataObject dobj;
  dobj.Add(50, 10, false, "", "first");
  dobj.Add(50, 10, false, "", "second");
  EXPECT_EQ(ErrorNumberOf([&] { dobj.FromString("first=a\r\nsecond=b"); }), 5);
  EXPECT_EQ(dobj.Fields("first")->Value(), Variant("a"));
  EXPECT_EQ(dobj.Fields("second")->Value(), Variant(""));
  EXPECT_EQ(ErrorNumberOf([&] { dobj.FromString("first=a\n"); }), 5);  // LF alone is no line end
}

TEST(CDataObjectCompare, NullRules) {
  auto pair = [](const Variant& a, const Variant& b) {
    CDataObject x, y;
    x.Add(0, 0, false, a, "f");
    y.Add(0, 0, false, b, "f");
    return x.IsEqual(y);
  };
  EXPECT_TRUE(pair(Variant::Null(), Variant::Null()));
  EXPECT_FALSE(pair(Variant::Null(), 0));
  EXPECT_FALSE(pair("", Variant::Null()));
  EXPECT_TRUE(pair(int16_t{3}, 3.0));
  EXPECT_FALSE(pair("abc", "ABC"));
  EXPECT_FALSE(pair(Variant(std::make_shared<DispatchObject>()), 1));  // not comparable
}

TEST(CDataObjectCompare, OnlyOwnFieldsAreLookedAt) {
  CDataObject small = MakeAbc();
  CDataObjectPtr large = small.Clone();
  large->Add(4, 4, false, 9, "extra");
  large->Fields("A")->SetDataType(7);  // only values count
  EXPECT_TRUE(small.IsEqual(*large));
  EXPECT_FALSE(large->IsEqual(small));
  large->Fields("C")->SetValue("y");
  EXPECT_FALSE(small.IsEqual(*large));
}

TEST(CDataObjectCopy, CloneCopiesRefillShares) {
  CDataObject original = MakeAbc();
  original.SetName("doPilot");
  original.Fields("A")->SetRequired(true);

  CDataObjectPtr copy = original.Clone();
  EXPECT_EQ(copy->Name(), "");
  EXPECT_EQ(copy->ToString(), original.ToString());
  EXPECT_TRUE(copy->Fields("A")->Required());
  EXPECT_EQ(copy->Fields("A")->Size(), 4);
  copy->Fields("A")->SetValue(2);
  EXPECT_EQ(original.Fields("A")->Value(), Variant(1));

  CDataObject sharing;
  sharing.SetName("doTask");
  sharing.Add(0, 0, false, 0, "gone");
  sharing.Refill(original);
  EXPECT_EQ(sharing.Name(), "doTask");
  EXPECT_FALSE(sharing.HasField("gone"));
  EXPECT_EQ(sharing.Fields("A"), original.Fields("A"));
  sharing.Fields("C")->SetValue("shared");
  EXPECT_EQ(original.Fields("C")->Value(), Variant("shared"));

  sharing.Refill(sharing);
  EXPECT_EQ(sharing.Count(), 3);
}

TEST(CDataObjectCopy, FillFieldsFromCopiesOnlyCommonFields) {
  CDataObject target = MakeAbc();
  CDataObject source;
  source.Add(0, 0, false, 7, "a");
  source.Add(0, 0, false, 8, "other");
  target.FillFieldsFrom(source);
  EXPECT_EQ(target.Fields("A")->Value(), Variant(7));
  EXPECT_TRUE(target.Fields("B")->Value().IsNull());
  EXPECT_FALSE(target.HasField("other"));
  source.Fields("a")->SetValue(99);
  EXPECT_EQ(target.Fields("A")->Value(), Variant(7));  // a copy, not the source's field
}

// A real file with one table and a view over it, opened through the engine.
class CDataObjectRecordset : public ::testing::Test {
 protected:
  void SetUp() override {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(m_path.c_str(), &raw), SQLITE_OK);
    const char* sql =
        "CREATE TABLE tblThing (thiPk INTEGER PRIMARY KEY AUTOINCREMENT, thiName TEXT(30) COLLATE NOCASE,"
        " thiCount INTEGER);"
        "CREATE VIEW doThing AS SELECT thiPk, thiName, thiCount FROM tblThing;"
        "INSERT INTO tblThing (thiName, thiCount) VALUES ('first', 1), ('second', 2);";
    char* message = nullptr;
    const int rc = sqlite3_exec(raw, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    sqlite3_close(raw);
    ASSERT_EQ(rc, SQLITE_OK);
    m_db = engine::DBEngine::ForThisThread().OpenDatabase(m_path);
  }
  void TearDown() override {
    if (m_db) m_db->Close();
  }

  zaztest::ScratchDir m_dir;
  std::string m_path = m_dir.File("things.mdb");
  std::shared_ptr<engine::Database> m_db;
};

TEST_F(CDataObjectRecordset, BuildEmptyShapeAndFromARow) {
  CDataObject shape;
  shape.BuildFromDAOQuery(*m_db, "doThing", 0);
  ASSERT_EQ(shape.Count(), 3);
  EXPECT_EQ(shape.Item(2)->Name(), "thiName");
  EXPECT_EQ(shape.Item(2)->DataType(), 10);
  EXPECT_EQ(shape.Item(2)->Size(), 30);
  EXPECT_EQ(shape.Item(3)->DataType(), 4);
  EXPECT_TRUE(shape.Item(3)->Value().IsNull());
  EXPECT_FALSE(shape.Item(1)->Required());

  CDataObject row;
  row.BuildFromDAOQuery(*m_db, "doThing", 2);
  EXPECT_EQ(row.ToString(), "thiPk=2\r\nthiName=second\r\nthiCount=2\r\n");

  CDataObject missing;
  EXPECT_EQ(ErrorNumberOf([&] { missing.BuildFromDAOQuery(*m_db, "doThing", 99); }), 3021);
  EXPECT_EQ(ErrorNumberOf([&] { missing.BuildFromDAOQuery(*m_db, "doNothing", 0); }), 3265);
}

TEST_F(CDataObjectRecordset, SaveNeverWritesTheKeyAndSkipsWhatTheRecordsetRefuses) {
  CDataObject dobj;
  dobj.Add(4, 4, false, 999, "thiPk");
  dobj.Add(4, 4, false, "not a number", "thiCount");
  dobj.Add(4, 4, false, 5, "thiMissing");
  dobj.Add(30, 10, false, "renamed", "thiName");

  auto rs = m_db->OpenRecordset("SELECT * FROM tblThing WHERE thiPk=1", engine::dbOpenDynaset);
  rs->Edit();
  dobj.SaveToDAORecordset(*rs);
  rs->Update();
  rs->Close();

  CDataObject back;
  back.BuildFromDAOQuery(*m_db, "doThing", 1);
  EXPECT_EQ(back.ToString(), "thiPk=1\r\nthiName=renamed\r\nthiCount=1\r\n");
  EXPECT_EQ(ErrorNumberOf([&] { back.BuildFromDAOQuery(*m_db, "doThing", 999); }), 3021);
}

TEST_F(CDataObjectRecordset, FillReadsTheCurrentRowAndKeepsFieldsTheRecordsetLacks) {
  CDataObject dobj;
  dobj.Add(4, 4, false, 0, "thiPk");
  dobj.Add(4, 4, false, "kept", "thiExtra");
  dobj.Add(30, 10, false, "", "THINAME");
  auto rs = m_db->OpenRecordset("doThing", engine::dbOpenSnapshot);
  rs->MoveNext();
  dobj.FillFromDAORecordset(*rs);
  EXPECT_EQ(dobj.ToString(), "thiPk=2\r\nthiExtra=kept\r\nTHINAME=second\r\n");
}

}  // namespace
