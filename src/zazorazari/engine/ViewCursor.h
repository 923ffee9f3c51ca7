// Walks a view (or a SELECT on one) by stepping its query: a view has no row
// ids, and its own ORDER BY, if any, gives the order. Views are read-only
// through a recordset. The bookmark is the row's position in the walk.
#pragma once

#include <optional>

#include "zazorazari/engine/RowCursor.h"
#include "zazorazari/engine/Statement.h"

namespace zazorazari::engine {

class ViewCursor final : public RowCursor {
 public:
  ViewCursor(Connection& connection, RecordSource source);

  bool MoveFirst() override;
  bool MoveNext() override;
  bool MoveLast() override;
  bool FindFirst(const SqlText& criteria, const std::string& text) override;
  bool MoveTo(int64_t bookmark) override;
  int64_t Bookmark() override;
  const std::vector<Variant>& Row() const override { return m_row; }
  int32_t RowsReached() const override { return m_reached; }

 private:
  void Restart();
  bool StepRow();
  void ReadRow(const Statement& stmt);
  void FindPosition();
  SqlText Query(const SqlText* criteria) const;

  Connection& m_connection;
  RecordSource m_source;
  std::optional<Statement> m_walk;  // the running query; none at the end
  int64_t m_position = 0;           // 1-based position of the current row
  bool m_positionKnown = true;      // false after FindFirst until looked up
  std::vector<Variant> m_row;
  int32_t m_reached = 0;
};

}  // namespace zazorazari::engine
