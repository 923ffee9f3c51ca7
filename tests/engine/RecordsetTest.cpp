// Recordsets of the three types over tables and views: navigation, search,
// AddNew/Edit/Update/Delete, bookmarks and the failures DAO callers expect.
#include "engine/EngineTestDb.h"

namespace {

using namespace zazorazari;
using namespace zazorazari::engine;
using zaztest::ErrorNumberOf;

class RecordsetTest : public zaztest::EngineTest {
 protected:
  // Keys from the current row to the end.
  static std::string Keys(Recordset& rs) {
    std::string out;
    for (; !rs.IsEOF(); rs.MoveNext()) out += (out.empty() ? "" : ",") + std::to_string(CLngOf(rs.Fields(0).Value()));
    return out;
  }
  static int32_t CLngOf(const Variant& v) { return static_cast<int32_t>(v.Number()); }
};

TEST_F(RecordsetTest, NavigationOnEachType) {
  for (int32_t type : {0, int32_t{dbOpenTable}, int32_t{dbOpenDynaset}, int32_t{dbOpenSnapshot}}) {
    auto rs = m_db->OpenRecordset("tblPilot", type);
    EXPECT_EQ(Keys(*rs), "1,2,3,4,5") << type;
    EXPECT_EQ(ErrorNumberOf([&] { rs->MoveNext(); }), 3021);
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields("PILLASTNAME").Value().Text(), "Meier");
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("pilPk").Value().Number(), 5);
    EXPECT_EQ(rs->RecordCount(), 5);
    rs->MoveNext();
    EXPECT_TRUE(rs->IsEOF());
  }
  auto view = m_db->OpenRecordset("SELECT * FROM doPilot WHERE natName = 'France' ORDER BY pilLastName DESC");
  EXPECT_EQ(Keys(*view), "2,3");
  auto byName = m_db->OpenRecordset("dopilot");
  EXPECT_EQ(Keys(*byName), "1,2,3,4,5");
  auto empty = m_db->OpenRecordset("SELECT * FROM tblPilot WHERE pilPk > 99");
  EXPECT_TRUE(empty->IsEOF());
  EXPECT_EQ(empty->RecordCount(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { empty->Fields(0).Value(); }), 3021);
}

TEST_F(RecordsetTest, RecordCountIsRowsVisitedExceptOnTables) {
  auto table = m_db->OpenRecordset("tblPilot");
  EXPECT_EQ(table->RecordCount(), 5);
  for (int32_t type : {int32_t{dbOpenDynaset}, int32_t{dbOpenSnapshot}}) {
    auto rs = m_db->OpenRecordset("SELECT * FROM tblPilot WHERE pilPk > 1", type);
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->MoveNext();
    EXPECT_EQ(rs->RecordCount(), 2);
    rs->MoveLast();
    EXPECT_EQ(rs->RecordCount(), 4);
  }
  auto view = m_db->OpenRecordset("doPilot");
  view->MoveLast();
  EXPECT_EQ(view->RecordCount(), 5);
}

TEST_F(RecordsetTest, FindFirstPositionsTheWalk) {
  struct Case {
    const char* source;
    const char* criteria;
    Criteria typed;  // the same search as column = value pairs
    const char* found;
    const char* next;
  };
  const Case cases[] = {
      {"tblPilot", "natPk = 2", {{"NATPK", Variant(2)}}, "O'Brien", "Dupont"},
      {"SELECT * FROM tblPilot ORDER BY pilLastName", "natPk = 2", {{"natPk", Variant(2.0)}}, "Dupont", "Meier"},
      {"doPilot", "natName = 'France'", {{"natName", Variant("FRANCE")}}, "O'Brien", "Dupont"},
      {"tblPilot", "ISNULL(natPk)", {{"natPk", Variant::Null()}}, "Club \"Les Aigles\"", "100%_sure"},
  };
  for (const Case& c : cases) {
    auto rs = m_db->OpenRecordset(c.source, dbOpenDynaset);
    for (int typed = 0; typed < 2; ++typed) {
      rs->MoveFirst();
      typed != 0 ? rs->FindFirst(c.typed) : rs->FindFirst(c.criteria);
      ASSERT_FALSE(rs->NoMatch()) << c.source << typed;
      EXPECT_EQ(rs->Fields("pilLastName").Value().Text(), c.found) << c.source << typed;
      rs->MoveNext();
      EXPECT_EQ(rs->Fields("pilLastName").Value().Text(), c.next) << c.source << typed;
    }

    rs->FindFirst("pilLastName = 'Nobody'");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(0).Value(); }), 3021);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Edit(); }), std::string(c.source) == "doPilot" ? 3027 : 3021);
    EXPECT_EQ(ErrorNumberOf([&] { rs->FindFirst(Criteria{{"nosuchColumn", Variant(1)}}); }), 3265);
  }
}

TEST_F(RecordsetTest, ReadRowReadsTheRowTheCriteriaSingleOut) {
  std::vector<Variant> row;
  ASSERT_TRUE(m_db->ReadRow("DOPILOT", {{"pilLastName", Variant("o'brien")}}, row));
  ASSERT_EQ(row.size(), 4u);
  EXPECT_EQ(row[0].Number(), 2);
  EXPECT_EQ(row[3].Text(), "France");
  EXPECT_FALSE(m_db->ReadRow("tblPilot", {{"pilPk", Variant(99)}}, row));
  EXPECT_EQ(ErrorNumberOf([&] { m_db->ReadRow("tblPilot", {{"nosuch", Variant(1)}}, row); }), 3265);
  EXPECT_EQ(ErrorNumberOf([&] { m_db->ReadRow("tblNothing", {}, row); }), 3265);
}

TEST_F(RecordsetTest, AddNewKeepsTheCurrentRowAndLastModifiedReachesTheNewOne) {
  auto rs = m_db->OpenRecordset("SELECT * FROM tblPilot WHERE pilScore > 6", dbOpenDynaset);
  rs->AddNew();
  EXPECT_TRUE(rs->Fields("pilPk").Value().IsNull());
  rs->Fields("pilLastName").SetValue("Newcomer");
  rs->Fields("pilScore").SetValue(1);
  rs->Update();
  EXPECT_EQ(rs->Fields("pilLastName").Value().Text(), "Meier");
  rs->SetBookmark(rs->LastModified());
  EXPECT_EQ(rs->Fields("pilPk").Value().Number(), 6);
  EXPECT_EQ(rs->Fields("pilLastName").Value().Text(), "Newcomer");

  rs->MoveFirst();
  EXPECT_EQ(Keys(*rs), "1,2,6");  // rows added through it come at its end

  rs->AddNew();
  rs->Fields("pilPk").SetValue(0);  // 0 leaves the key to the engine
  rs->Update();
  EXPECT_EQ(rs->LastModified(), 7);
  rs->AddNew();
  rs->Fields("pilPk").SetValue("40");
  rs->Update();
  EXPECT_EQ(rs->LastModified(), 40);
  rs->AddNew();
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("pilPk").SetValue(2.5); }), 3421);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("pilPk").SetValue(5000000000.0); }), 3421);
  rs->Fields("pilPk").SetValue(3);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Update(); }), 3022);
}

TEST_F(RecordsetTest, EditUpdateDelete) {
  auto rs = m_db->OpenRecordset("tblPilot", dbOpenDynaset);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Update(); }), 3020);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("pilScore").SetValue(1); }), 3020);
  rs->MoveNext();
  rs->Edit();
  rs->Fields("pilScore").SetValue("42.5");
  EXPECT_EQ(rs->Fields("pilScore").Value().Number(), 42.5);
  rs->Update();
  EXPECT_EQ(Scalar("SELECT pilScore FROM tblPilot WHERE pilPk = 2"), "42.5");
  EXPECT_EQ(rs->LastModified(), 2);

  rs->Edit();
  rs->Fields("pilScore").SetValue(1);
  rs->MoveNext();  // moving away drops the edit
  EXPECT_EQ(Scalar("SELECT pilScore FROM tblPilot WHERE pilPk = 2"), "42.5");

  rs->Delete();
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(0).Value(); }), 3021);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Delete(); }), 3021);
  rs->MoveNext();
  EXPECT_EQ(rs->Fields(0).Value().Number(), 4);
  EXPECT_EQ(Scalar("SELECT count(*) FROM tblPilot WHERE pilPk = 3"), "0");
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields("nosuch"); }), 3265);
  EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(7); }), 3265);
}

TEST_F(RecordsetTest, SnapshotsAndViewsAreReadOnly) {
  auto snapshot = m_db->OpenRecordset("tblPilot", dbOpenSnapshot);
  auto view = m_db->OpenRecordset("doPilot", dbOpenDynaset);
  for (Recordset* rs : {snapshot.get(), view.get()}) {
    EXPECT_EQ(ErrorNumberOf([&] { rs->Edit(); }), 3027);
    EXPECT_EQ(ErrorNumberOf([&] { rs->AddNew(); }), 3027);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Delete(); }), 3027);
    EXPECT_EQ(ErrorNumberOf([&] { rs->Fields(1).SetValue("x"); }), 3027);
  }
}

TEST_F(RecordsetTest, ClosedRecordsetsAndDatabasesFailCleanly) {
  auto rs = m_db->OpenRecordset("doPilot");
  auto other = m_db->OpenRecordset("tblPilot");
  rs->Close();
  EXPECT_NE(ErrorNumberOf([&] { rs->MoveNext(); }), 0);
  m_db->Close();
  EXPECT_FALSE(m_db->IsOpen());
  EXPECT_NE(ErrorNumberOf([&] { other->MoveNext(); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { m_db->OpenRecordset("tblPilot"); }), 0);
  Exec("DELETE FROM tblPilot");  // nothing holds the file any more
}

}  // namespace
