// Host transactions: several facade calls as one all-or-nothing write of the
// file.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

CDatabase::Transaction::Transaction(CDatabase& db) : m_db(db) {
  const auto engineDb = db.DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  m_scope = std::make_unique<engine::AtomicScope>(*engineDb);
  ++m_db.m_lOpenTransactions;
}

CDatabase::Transaction::~Transaction() {
  if (!m_scope) return;
  End();
  m_scope.reset();  // undoes the work
}

void CDatabase::Transaction::End() { --m_db.m_lOpenTransactions; }

void CDatabase::Transaction::Commit() {
  if (!m_scope) return;
  End();
  const auto scope = std::move(m_scope);
  scope->Commit();
}

void CDatabase::Transaction::Rollback() {
  if (!m_scope) return;
  End();
  const auto scope = std::move(m_scope);
  scope->Rollback();
}

}  // namespace zazorazari
