// Walks a table (or a SELECT on one) by key: the rows' ids are collected in
// growing chunks after the last collected row, in the recordset's order, and
// each row is read by its id when the walk reaches it. An id is collected
// once per walk, so a row whose ordering column is edited during the walk is
// not visited twice; opening reads one id only. The first row's values are
// read when they are first wanted: a recordset opened to be searched or
// added to never reads them.
#pragma once

#include <deque>
#include <unordered_set>

#include "zazorazari/engine/RowCursor.h"

namespace zazorazari::engine {

class KeysetCursor final : public RowCursor {
 public:
  KeysetCursor(Connection& connection, RecordSource source);

  bool MoveFirst() override;
  bool MoveNext() override;
  bool MoveLast() override;
  bool FindFirst(const SqlText& criteria, const std::string& text) override;
  bool MoveTo(int64_t bookmark) override;
  int64_t Bookmark() override { return m_rowid; }
  const std::vector<Variant>& Row() const override;
  int32_t RowsReached() const override { return m_reached; }
  void Reload() override;
  void Forget() override;
  void Appended(int64_t rowid) override;

 private:
  bool Next();
  void FetchChunk();
  void ResetWalk();
  void RestartAtCurrent();
  // The read of one row by its id, its values bound.
  class Statement ReadById(int64_t rowid) const;
  bool ReadRow(int64_t rowid);
  void Load(const class Statement& stmt);
  SqlText SelectList(bool withColumns) const;
  SqlText OrderClause() const;
  SqlText AfterFrontier() const;

  Connection& m_connection;
  RecordSource m_source;
  std::string m_from;

  // The walk: ids collected but not reached yet, every id collected in this
  // walk, and the last collected row's order values and id.
  std::deque<int64_t> m_pending;
  std::unordered_set<int64_t> m_collected;
  std::vector<Variant> m_frontier;
  int64_t m_frontierRowid = 0;
  bool m_hasFrontier = false;
  bool m_exhausted = false;
  int32_t m_chunk = 1;
  std::vector<int64_t> m_added;
  size_t m_nextAdded = 0;
  int32_t m_walked = 0;
  int32_t m_reached = 0;

  // The statement that reads a row by its id, less the id.
  const SqlText m_readHead;
  // FindFirst's statement: the text before and after the criteria, the last
  // criteria and the whole text made with them.
  SqlText m_findHead;
  SqlText m_findTail;
  std::string m_findCriteria;
  std::string m_findSql;

  // The current row; its values wait to be read while m_rowUnread.
  int64_t m_rowid = 0;
  std::vector<Variant> m_orderValues;
  mutable std::vector<Variant> m_row;
  mutable bool m_rowUnread = false;
};

}  // namespace zazorazari::engine
