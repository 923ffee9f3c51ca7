// Operation scopes: nested scopes join the outermost transaction, which is
// committed when it ends, also after a failure; an atomic scope undoes its
// own work only.
#include "engine/EngineTestDb.h"

#include <stdexcept>

#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/OperationScope.h"

namespace {

using namespace zazorazari;
using namespace zazorazari::engine;

class TransactionTest : public zaztest::EngineTest {
 protected:
  void AddNation(const std::string& name) {
    auto rs = m_db->OpenRecordset("tblNation");
    rs->AddNew();
    rs->Fields("natName").SetValue(name);
    rs->Update();
  }
  // Read by another connection, which sees only committed rows.
  std::string Committed() { return Scalar("SELECT count(*) FROM tblNation"); }
};

TEST_F(TransactionTest, OutsideAnyScopeEachStatementCommits) {
  AddNation("Austria");
  EXPECT_EQ(Committed(), "3");
}

TEST_F(TransactionTest, NestedScopesJoinAndCommitWhenTheOutermostEnds) {
  {
    OperationScope outer(*m_db, true);
    AddNation("Austria");
    {
      OperationScope inner(*m_db, false);
      AddNation("Italy");
      inner.Commit();  // nested: nothing happens yet
    }
    EXPECT_EQ(Committed(), "2");
  }
  EXPECT_EQ(Committed(), "4");
}

TEST_F(TransactionTest, CommitsWhileAViewWalkIsUnderWay) {
  auto walk = m_db->OpenRecordset("doPilot");
  {
    OperationScope scope(*m_db, true);
    auto inside = m_db->OpenRecordset("SELECT * FROM doPilot ORDER BY pilLastName");
    AddNation("Austria");
  }
  EXPECT_EQ(Committed(), "3");
  walk->MoveNext();
  EXPECT_EQ(walk->Fields("pilPk").Value().Number(), 2);
}

TEST_F(TransactionTest, AFailingOperationKeepsWhatItWrote) {
  try {
    OperationScope scope(*m_db, true);
    AddNation("Austria");
    m_db->Execute("DELETE * FROM tblNation WHERE natName = 'France'");
    throw std::runtime_error("the operation fails");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Scalar("SELECT group_concat(natName) FROM tblNation"), "Switzerland,Austria");
}

TEST_F(TransactionTest, AnAtomicScopeUndoesOnlyItsOwnWork) {
  {
    AtomicScope alone(*m_db);
    AddNation("Austria");
  }  // left without Commit
  EXPECT_EQ(Committed(), "2");
  {
    OperationScope outer(*m_db, true);
    AddNation("Italy");
    {
      AtomicScope inner(*m_db);
      m_db->Execute("DELETE * FROM tblNation");
      OperationScope joined(*m_db, true);
      AddNation("Spain");
    }
    AtomicScope kept(*m_db);
    AddNation("Malta");
    kept.Commit();
  }
  EXPECT_EQ(Scalar("SELECT group_concat(natName) FROM tblNation"), "Switzerland,France,Italy,Malta");
}

TEST_F(TransactionTest, AFailedCommitRaisesAndLeavesNothing) {
  zaztest::RawSqlite reader(m_path);
  reader.Exec("BEGIN; SELECT count(*) FROM tblNation;");  // holds a read lock
  int32_t number = 0;
  {
    OperationScope scope(*m_db, true);
    AddNation("Austria");
    number = zaztest::ErrorNumberOf([&] { scope.Commit(); });  // waits out the busy timeout
  }
  reader.Exec("COMMIT");
  EXPECT_EQ(number, 3051);
  EXPECT_EQ(Committed(), "2");
}

}  // namespace
