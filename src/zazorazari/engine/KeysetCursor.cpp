// Keyset walk over a table.
#include "zazorazari/engine/KeysetCursor.h"

#include <algorithm>

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/ValueBinding.h"

namespace zazorazari::engine {

namespace {

constexpr int32_t kLargestChunk = 4096;

SqlText ReadByIdHead(SqlText select) {
  select += " WHERE rowid = ?";
  return select;
}

}  // namespace

KeysetCursor::KeysetCursor(Connection& connection, RecordSource source)
    : m_connection(connection),
      m_source(std::move(source)),
      m_from(QuoteName(m_source.object->name)),
      m_readHead(ReadByIdHead(SelectList(true))) {}

SqlText KeysetCursor::SelectList(bool withColumns) const {
  SqlText out;
  out += "SELECT rowid";
  for (const OrderTerm& term : m_source.order) {
    out += ", ";
    out += term.expression;
  }
  if (withColumns) out += ", *";
  out += " FROM ";
  out += m_from;
  return out;
}

SqlText KeysetCursor::OrderClause() const {
  SqlText out;
  out += " ORDER BY ";
  for (const OrderTerm& term : m_source.order) {
    out += term.expression;
    out += term.descending ? " DESC, " : ", ";
  }
  out += "rowid";
  return out;
}

// Rows after the frontier in the walk's order. SQLite sorts NULL first, so
// ascending everything is after a NULL, descending nothing is.
SqlText KeysetCursor::AfterFrontier() const {
  const std::vector<OrderTerm>& order = m_source.order;
  SqlText out;
  const bool simple = std::none_of(order.begin(), order.end(), [](const OrderTerm& t) { return t.descending; }) &&
                      std::none_of(m_frontier.begin(), m_frontier.end(), [](const Variant& v) { return v.IsNull(); });
  if (simple) {
    // A row value comparison lets SQLite use the index of the ordering column.
    SqlText values;
    out += "(";
    values += "(";
    for (size_t i = 0; i < order.size(); ++i) {
      out += order[i].expression;
      out += ", ";
      values.AddParam(m_frontier[i]);
      values += ", ";
    }
    out += "rowid) > ";
    values.AddParam(RowidParam(m_frontierRowid));
    values += ")";
    out += values;
    return out;
  }
  bool first = true;
  for (size_t i = 0; i <= order.size(); ++i) {
    SqlText term;
    term += "(";
    for (size_t j = 0; j < i; ++j) {
      term += "(";
      term += order[j].expression;
      term += ") IS ";
      term.AddParam(m_frontier[j]);
      term += " AND ";
    }
    if (i == order.size()) {
      term += "rowid > ";
      term.AddParam(RowidParam(m_frontierRowid));
    } else {
      const bool isNull = m_frontier[i].IsNull();
      if (order[i].descending && isNull) continue;
      term += "(";
      term += order[i].expression;
      if (isNull) {
        term += ") IS NOT NULL";
      } else if (!order[i].descending) {
        term += ") > ";
        term.AddParam(m_frontier[i]);
      } else {
        term += ") < ";
        term.AddParam(m_frontier[i]);
        term += " OR (";
        term += order[i].expression;
        term += ") IS NULL";
      }
    }
    term += ")";
    if (!first) out += " OR ";
    out += term;
    first = false;
  }
  return out;
}

void KeysetCursor::ResetWalk() {
  m_pending.clear();
  m_collected.clear();
  m_collected.insert(m_added.begin(), m_added.end());
  m_frontier.clear();
  m_hasFrontier = false;
  m_exhausted = false;
  m_chunk = 1;
  m_nextAdded = 0;
  m_walked = 0;
}

// After a search or a bookmark, the walk goes on from the current row.
void KeysetCursor::RestartAtCurrent() {
  ResetWalk();
  m_collected.insert(m_rowid);
  m_frontier = m_orderValues;
  m_frontierRowid = m_rowid;
  m_hasFrontier = true;
  m_walked = 1;
  m_reached = std::max(m_reached, 1);
}

void KeysetCursor::FetchChunk() {
  SqlText query = SelectList(false);
  const bool hasWhere = !m_source.where.empty();
  if (hasWhere || m_hasFrontier) query += " WHERE ";
  if (hasWhere) {
    query += "(";
    query += m_source.where;
    query += ")";
  }
  if (m_hasFrontier) {
    if (hasWhere) query += " AND ";
    query += "(";
    query += AfterFrontier();
    query += ")";
  }
  query += OrderClause();
  query += " LIMIT ";
  query.AddParam(Variant(m_chunk));

  Statement stmt = m_connection.Prepare(query.sql, kRecordsetSource, m_source.text);
  stmt.Bind(query.params);
  const size_t orderCount = m_source.order.size();
  int32_t rows = 0;
  while (stmt.Step()) {
    ++rows;
    const int64_t rowid = stmt.Int64(0);
    if (m_collected.insert(rowid).second) m_pending.push_back(rowid);
    m_frontierRowid = rowid;
    m_frontier.resize(orderCount);
    for (size_t i = 0; i < orderCount; ++i)
      m_frontier[i] = ReadColumnValue(stmt.Handle(), static_cast<int>(i + 1), 0);
    m_hasFrontier = true;
  }
  if (rows < m_chunk) m_exhausted = true;
  m_chunk = m_chunk == 1 ? 16 : std::min(m_chunk * 4, kLargestChunk);
}

void KeysetCursor::Load(const Statement& stmt) {
  sqlite3_stmt* handle = stmt.Handle();
  m_rowid = stmt.Int64(0);
  const size_t orderCount = m_source.order.size();
  m_orderValues.resize(orderCount);
  for (size_t i = 0; i < orderCount; ++i) m_orderValues[i] = ReadColumnValue(handle, static_cast<int>(i + 1), 0);
  ReadColumnValues(handle, static_cast<int>(1 + orderCount), m_source.object->fields, m_row);
  m_rowUnread = false;
}

Statement KeysetCursor::ReadById(int64_t rowid) const {
  Statement stmt = m_connection.Prepare(m_readHead.sql, kRecordsetSource, m_source.text);
  int index = 0;
  for (const Variant& value : m_readHead.params) stmt.Bind(++index, value);
  stmt.Bind(++index, RowidParam(rowid));
  return stmt;
}

bool KeysetCursor::ReadRow(int64_t rowid) {
  Statement stmt = ReadById(rowid);
  if (!stmt.Step()) return false;
  Load(stmt);
  return true;
}

const std::vector<Variant>& KeysetCursor::Row() const {
  if (!m_rowUnread) return m_row;
  m_rowUnread = false;
  Statement stmt = ReadById(m_rowid);
  if (stmt.Step()) {
    ReadColumnValues(stmt.Handle(), static_cast<int>(1 + m_source.order.size()), m_source.object->fields, m_row);
  } else {
    m_row.assign(m_source.object->fields.size(), Variant::Null());  // deleted meanwhile
  }
  return m_row;
}

bool KeysetCursor::Next() {
  for (;;) {
    int64_t rowid;
    if (!m_pending.empty()) {
      rowid = m_pending.front();
      m_pending.pop_front();
    } else if (!m_exhausted) {
      FetchChunk();
      continue;
    } else if (m_nextAdded < m_added.size()) {
      rowid = m_added[m_nextAdded++];
    } else {
      return false;
    }
    if (ReadRow(rowid)) {  // a row deleted since it was collected is passed over
      ++m_walked;
      m_reached = std::max(m_reached, m_walked);
      return true;
    }
  }
}

bool KeysetCursor::MoveFirst() {
  // Rows added through this recordset come last, after the walk. Without
  // them the walk's first step finds the first row; its values are left
  // unread.
  ResetWalk();
  if (!m_added.empty()) return Next();
  FetchChunk();
  if (m_pending.empty()) return false;
  m_rowid = m_pending.front();
  m_pending.pop_front();
  m_orderValues = m_frontier;
  m_rowUnread = true;
  m_walked = 1;
  m_reached = std::max(m_reached, 1);
  return true;
}

bool KeysetCursor::MoveNext() { return Next(); }

bool KeysetCursor::MoveLast() {
  ResetWalk();
  while (!m_exhausted) FetchChunk();
  std::vector<int64_t> all(m_pending.begin(), m_pending.end());
  all.insert(all.end(), m_added.begin(), m_added.end());
  m_pending.clear();
  m_nextAdded = m_added.size();
  for (size_t i = all.size(); i-- > 0;) {
    if (ReadRow(all[i])) {
      m_walked = static_cast<int32_t>(i + 1);
      m_reached = std::max(m_reached, m_walked);
      return true;
    }
  }
  return false;
}

bool KeysetCursor::FindFirst(const SqlText& criteria, const std::string& text) {
  // Searches of one recordset differ in their criteria only (often only in
  // the values bound to them): the text around the criteria is built once.
  if (m_findHead.empty()) {
    m_findHead = SelectList(true);
    m_findHead += " WHERE ";
    if (!m_source.where.empty()) {
      m_findHead += "(";
      m_findHead += m_source.where;
      m_findHead += ") AND ";
    }
    m_findHead += "(";
    m_findTail += ")";
    m_findTail += OrderClause();
    m_findTail += " LIMIT 1";
  }
  if (m_findSql.empty() || criteria.sql != m_findCriteria) {
    m_findCriteria = criteria.sql;
    m_findSql = m_findHead.sql + criteria.sql + m_findTail.sql;
  }
  Statement stmt = m_connection.Prepare(m_findSql, kRecordsetSource, text);
  int index = 0;
  const std::vector<Variant>* const lists[] = {&m_findHead.params, &criteria.params, &m_findTail.params};
  for (const std::vector<Variant>* params : lists) {
    for (const Variant& value : *params) stmt.Bind(++index, value);
  }
  if (!stmt.Step()) return false;
  Load(stmt);
  RestartAtCurrent();
  return true;
}

bool KeysetCursor::MoveTo(int64_t bookmark) {
  if (!ReadRow(bookmark)) return false;
  RestartAtCurrent();
  return true;
}

void KeysetCursor::Reload() { ReadRow(m_rowid); }

void KeysetCursor::Forget() {
  m_walked = std::max(0, m_walked - 1);
  m_reached = std::max(0, m_reached - 1);
}

void KeysetCursor::Appended(int64_t rowid) {
  m_added.push_back(rowid);
  m_collected.insert(rowid);
}

}  // namespace zazorazari::engine
