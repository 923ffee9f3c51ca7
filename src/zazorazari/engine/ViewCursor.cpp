// Stepping walk over a view.
#include "zazorazari/engine/ViewCursor.h"

#include <algorithm>

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/ValueBinding.h"

namespace zazorazari::engine {

ViewCursor::ViewCursor(Connection& connection, RecordSource source)
    : m_connection(connection), m_source(std::move(source)) {}

SqlText ViewCursor::Query(const SqlText* criteria) const {
  SqlText query;
  query += "SELECT * FROM ";
  query += QuoteName(m_source.object->name);
  const bool hasWhere = !m_source.where.empty();
  if (hasWhere || criteria != nullptr) query += " WHERE ";
  if (hasWhere) {
    query += "(";
    query += m_source.where;
    query += ")";
  }
  if (criteria != nullptr) {
    if (hasWhere) query += " AND ";
    query += "(";
    query += *criteria;
    query += ")";
  }
  for (size_t i = 0; i < m_source.order.size(); ++i) {
    query += i == 0 ? " ORDER BY " : ", ";
    query += m_source.order[i].expression;
    if (m_source.order[i].descending) query += " DESC";
  }
  return query;
}

void ViewCursor::Restart() {
  m_walk.reset();
  const SqlText query = Query(nullptr);
  m_walk.emplace(m_connection.Prepare(query.sql, kRecordsetSource, m_source.text));
  m_walk->Bind(query.params);
  m_position = 0;
  m_positionKnown = true;
}

void ViewCursor::ReadRow(const Statement& stmt) {
  ReadColumnValues(stmt.Handle(), 0, m_source.object->fields, m_row);
}

bool ViewCursor::StepRow() {
  if (!m_walk) return false;
  if (!m_walk->Step()) {
    m_walk.reset();  // gives the statement back, so no read lock lingers
    return false;
  }
  ++m_position;
  m_reached = std::max(m_reached, static_cast<int32_t>(m_position));
  ReadRow(*m_walk);
  return true;
}

// The walk restarted and stopped on the row FindFirst found.
void ViewCursor::FindPosition() {
  const std::vector<Variant> target = m_row;
  Restart();
  while (StepRow()) {
    if (std::equal(m_row.begin(), m_row.end(), target.begin(), target.end(), SameValue)) return;
  }
  m_row = target;
}

bool ViewCursor::MoveFirst() {
  Restart();
  return StepRow();
}

bool ViewCursor::MoveNext() {
  if (!m_positionKnown) FindPosition();
  return StepRow();
}

bool ViewCursor::MoveLast() {
  Restart();
  std::vector<Variant> last;
  while (StepRow()) last = m_row;
  m_row = std::move(last);
  return m_position > 0;
}

bool ViewCursor::FindFirst(const SqlText& criteria, const std::string& text) {
  SqlText query = Query(&criteria);
  query += " LIMIT 1";
  Statement stmt = m_connection.Prepare(query.sql, kRecordsetSource, text);
  stmt.Bind(query.params);
  if (!stmt.Step()) return false;
  m_walk.reset();
  ReadRow(stmt);
  m_positionKnown = false;
  m_reached = std::max(m_reached, 1);
  return true;
}

bool ViewCursor::MoveTo(int64_t bookmark) {
  if (bookmark < 1) return false;
  Restart();
  while (m_position < bookmark)
    if (!StepRow()) return false;
  return true;
}

int64_t ViewCursor::Bookmark() {
  if (!m_positionKnown) FindPosition();
  return m_position;
}

}  // namespace zazorazari::engine
