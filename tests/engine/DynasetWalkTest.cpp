// A dynaset walk visits each row that matched at open exactly once, even when
// the walk edits the column it is ordered by or the one its criteria test.
#include "engine/EngineTestDb.h"

#include <set>

#include "zazorazari/engine/OperationScope.h"

namespace {

using namespace zazorazari;
using namespace zazorazari::engine;

class DynasetWalkTest : public zaztest::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    std::string sql = "BEGIN; DELETE FROM tblPilot;";
    for (int i = 1; i <= 300; ++i)
      sql += "INSERT INTO tblPilot (pilLastName, pilScore) VALUES ('n" + std::to_string(1000 + (i * 7919) % 300) +
             "', " + std::to_string(i % 3) + ");";
    Exec(sql + "COMMIT;");  // keys 6 to 305: the counter has seen 1 to 5
  }

  // Walks the recordset, running `edit` on every row; the keys visited.
  static std::multiset<int32_t> Walk(Recordset& rs, const std::function<void(Recordset&)>& edit) {
    std::multiset<int32_t> keys;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      keys.insert(static_cast<int32_t>(rs.Fields("pilPk").Value().Number()));
      edit(rs);
    }
    return keys;
  }
};

TEST_F(DynasetWalkTest, EditingTheOrderingColumnVisitsEveryRowOnce) {
  {
    OperationScope scope(*m_db, true);
    auto rs = m_db->OpenRecordset("SELECT * FROM tblPilot ORDER BY pilLastName", dbOpenDynaset);
    const auto keys = Walk(*rs, [](Recordset& r) {
      r.Edit();
      r.Fields("pilLastName").SetValue("z" + r.Fields("pilLastName").Value().Text());  // moves it behind the walk
      r.Update();
    });
    EXPECT_EQ(keys.size(), 300u);
    EXPECT_EQ(std::set<int32_t>(keys.begin(), keys.end()).size(), 300u);
  }
  EXPECT_EQ(Scalar("SELECT count(*) FROM tblPilot WHERE pilLastName LIKE 'zn%'"), "300");
}

TEST_F(DynasetWalkTest, EditingTheCriteriaOrDescendingOrderVisitsEveryRowOnce) {
  OperationScope scope(*m_db, true);
  auto rs = m_db->OpenRecordset("SELECT * FROM tblPilot WHERE pilScore < 2 ORDER BY pilScore DESC, pilLastName",
                                dbOpenDynaset);
  const auto keys = Walk(*rs, [](Recordset& r) {
    r.Edit();
    r.Fields("pilScore").SetValue(r.Fields("pilScore").Value().Number() == 1 ? 0 : 5);
    r.Update();
  });
  EXPECT_EQ(keys.size(), 200u);
  EXPECT_EQ(std::set<int32_t>(keys.begin(), keys.end()).size(), 200u);
}

TEST_F(DynasetWalkTest, DeletingWhileWalkingGoesOnWithTheNextRow) {
  {
    OperationScope scope(*m_db, true);
    auto rs = m_db->OpenRecordset("tblPilot", dbOpenDynaset);
    const auto keys = Walk(*rs, [](Recordset& r) { r.Delete(); });
    EXPECT_EQ(keys.size(), 300u);
  }
  EXPECT_EQ(Scalar("SELECT count(*) FROM tblPilot"), "0");
}

TEST_F(DynasetWalkTest, RowsAddedDuringTheWalkComeAtItsEnd) {
  auto rs = m_db->OpenRecordset("SELECT * FROM tblPilot WHERE pilScore = 0", dbOpenDynaset);
  int added = 0;
  const auto keys = Walk(*rs, [&](Recordset& r) {
    if (added++ < 3) {
      r.AddNew();
      r.Fields("pilLastName").SetValue("late");
      r.Update();
    }
  });
  EXPECT_EQ(keys.size(), 103u);
  EXPECT_EQ(*keys.rbegin(), 308);
}

}  // namespace
