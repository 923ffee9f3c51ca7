// The generic record: keyed field access, copies, comparison, the text form
// and its re-reading, and the exchange with recordsets of a real file.
#include <gtest/gtest.h>

#include "support/RawSqlite.h"
#include "support/ErrorCapture.h"
#include "support/TestSupport.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/engine/DBEngine.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Dispatch.h"

using namespace zazorazari;
using zaztest::CaughtError;

namespace {

CDataObject MakeAbc() {  // A 1, B NULL, C "x"
  CDataObject dobj;
  dobj.Add(4, 4, false, 1, "A");
  dobj.Add(50, 10, false, Variant::Null(), "B");
  dobj.Add(50, 10, false, "x", "C");
  return dobj;
}

TEST(CDataObject, KeyedAccessIgnoresCaseAndFailsWithItsNumbers) {
  CDataObject dobj = MakeAbc();
  EXPECT_EQ(dobj.Fields("c")->Name(), "C");
  EXPECT_EQ(CaughtError([&] { dobj.Item(0); }).Number(), 9);
  EXPECT_EQ(CaughtError([&] { dobj.Remove(4); }).Number(), 9);
  EXPECT_EQ(CaughtError([&] { dobj.Fields("D"); }).Number(), 5);
  EXPECT_EQ(CaughtError([&] { dobj.Add(0, 0, false, 2, "a"); }).Number(), 457);
  EXPECT_EQ(dobj.Count(), 3);

  dobj.Fields("A")->SetName("Z");  // the key stays "A"
  dobj.Remove("b");
  EXPECT_EQ(dobj.Fields("C"), dobj.Item(2));  // keys behind a removal still find their field
  EXPECT_TRUE(dobj.HasField("A"));
  EXPECT_FALSE(dobj.HasField("Z"));
}

TEST(CDataObject, TextFormAndItsRereading) {
  CDataObject source = MakeAbc();
  source.Add(8, 8, false, Variant::Date(DateSerial(2003, 12, 24)), "D");
  source.Add(8, 8, false, Variant::Date(DateSerial(2003, 12, 24) + TimeSerial(14, 30, 0)), "E");
  source.Add(50, 10, false, "Club \"Les Aigles\"", "F");
  const std::string text = source.ToString();
  EXPECT_EQ(text, "A=1\r\nB=\r\nC=x\r\nD=24.12.2003\r\nE=24.12.2003 14:30:00\r\nF=Club \"Les Aigles\"\r\n");
  EXPECT_EQ(CDataObject().ToString(), "");

  CDataObject target = MakeAbc();
  target.Add(8, 8, false, Variant::Null(), "D");
  target.Add(50, 10, false, Variant::Null(), "F");
  target.Add(50, 10, false, "kept", "G");
  target.FromString(text);
  EXPECT_EQ(target.Fields("A")->Value().VarType(), vtDouble);
  EXPECT_EQ(target.Fields("B")->Value().VarType(), vtString);  // never NULL
  EXPECT_EQ(target.Fields("D")->Value(), source.Fields("D")->Value());
  EXPECT_EQ(target.Fields("F")->Value(), Variant("Club 'Les Aigles'"));
  EXPECT_EQ(target.Fields("G")->Value(), Variant("kept"));

  CDataObject keys;
  keys.Add(4, 4, false, 0, "Pk");
  keys.Add(4, 4, false, 0, "tasPk");
  keys.FromString("tasPk=5\r\nPk=7\r\n");
  EXPECT_EQ(keys.Fields("Pk")->Value(), Variant(5));  // "Pk=" is found inside "tasPk="

  EXPECT_EQ(CaughtError([&] { keys.FromString("Pk=1\r\ntasPk=2\n"); }).Number(), 5);
  EXPECT_EQ(keys.Fields("Pk")->Value(), Variant(1));  // set before the failure
}

TEST(CDataObject, IsEqualNullRulesAndAsymmetry) {
  auto same = [](const Variant& a, const Variant& b) {
    CDataObject x, y;
    x.Add(0, 0, false, a, "f");
    y.Add(0, 0, false, b, "f");
    return x.IsEqual(y);
  };
  EXPECT_TRUE(same(Variant::Null(), Variant::Null()));
  EXPECT_FALSE(same(Variant::Null(), 0));
  EXPECT_FALSE(same("", Variant::Null()));
  EXPECT_TRUE(same(int16_t{3}, 3.0));
  EXPECT_FALSE(same("abc", "ABC"));
  EXPECT_FALSE(same(Variant(std::make_shared<DispatchObject>()), 1));  // not comparable

  CDataObject small = MakeAbc();
  CDataObjectPtr large = small.Clone();
  large->Add(4, 4, false, 9, "extra");
  EXPECT_TRUE(small.IsEqual(*large));
  EXPECT_FALSE(large->IsEqual(small));
}

TEST(CDataObject, CloneCopiesRefillShares) {
  CDataObject original = MakeAbc();
  original.SetName("doPilot");
  CDataObjectPtr copy = original.Clone();
  EXPECT_EQ(copy->Name(), "");
  copy->Fields("A")->SetValue(2);
  EXPECT_EQ(original.Fields("A")->Value(), Variant(1));

  CDataObject sharing;
  sharing.Add(0, 0, false, 0, "gone");
  sharing.Refill(original);
  EXPECT_FALSE(sharing.HasField("gone"));
  sharing.Fields("C")->SetValue("shared");
  EXPECT_EQ(original.Fields("C")->Value(), Variant("shared"));
}

// A real file with one table and a view over it, opened through the engine.
class CDataObjectRecordset : public ::testing::Test {
 protected:
  void SetUp() override {
    zaztest::RawSqlite(m_dir.File("t.mdb"), zaztest::RawSqlite::Mode::Create)
        .Exec("CREATE TABLE tblThing (thiPk INTEGER PRIMARY KEY AUTOINCREMENT,"
              " thiName TEXT(30) COLLATE NOCASE, thiCount INTEGER);"
              "CREATE VIEW doThing AS SELECT thiPk, thiName, thiCount FROM tblThing;"
              "INSERT INTO tblThing (thiName, thiCount) VALUES ('first', 1), ('second', 2);");
    m_db = engine::DBEngine::ForThisThread().OpenDatabase(m_dir.File("t.mdb"));
  }
  void TearDown() override { m_db->Close(); }

  zaztest::ScratchDir m_dir;
  std::shared_ptr<engine::Database> m_db;
};

TEST_F(CDataObjectRecordset, BuildsFromTheViewAndSavesWithoutTheKey) {
  CDataObject shape;
  shape.BuildFromDAOQuery(*m_db, "doThing", 0);
  EXPECT_EQ(shape.ToString(), "thiPk=\r\nthiName=\r\nthiCount=\r\n");
  EXPECT_EQ(shape.Item(2)->DataType(), 10);
  EXPECT_EQ(shape.Item(2)->Size(), 30);
  EXPECT_EQ(CaughtError([&] { shape.BuildFromDAOQuery(*m_db, "doThing", 99); }).Number(), 3021);

  CDataObject dobj;
  dobj.Add(4, 4, false, 999, "thiPk");
  dobj.Add(4, 4, false, "not a number", "thiCount");  // refused: skipped
  dobj.Add(4, 4, false, 5, "thiMissing");
  dobj.Add(30, 10, false, "renamed", "thiName");
  auto rs = m_db->OpenRecordset("SELECT * FROM tblThing WHERE thiPk=2", engine::dbOpenDynaset);
  rs->Edit();
  dobj.SaveToDAORecordset(*rs);
  rs->Update();

  dobj.Fields("thiCount")->SetValue(0);
  dobj.FillFromDAORecordset(*rs);
  EXPECT_EQ(dobj.ToString(), "thiPk=2\r\nthiCount=2\r\nthiMissing=5\r\nthiName=renamed\r\n");
  CDataObject row;
  row.BuildFromDAOQuery(*m_db, "doThing", 2);
  EXPECT_EQ(row.ToString(), "thiPk=2\r\nthiName=renamed\r\nthiCount=2\r\n");
}

}  // namespace
