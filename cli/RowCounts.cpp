// Row count differences.
#include "RowCounts.h"

namespace zazorazari::cli {

RowCounts::RowCounts(CDatabase& db) : m_before(db.TableRowCounts()) {}

int32_t RowCounts::AddedTo(CDatabase& db, const std::string& table) const {
  const auto after = db.TableRowCounts();
  for (size_t i = 0; i < after.size() && i < m_before.size(); ++i) {
    if (after[i].first == table) return after[i].second - m_before[i].second;
  }
  return 0;
}

std::string RowCounts::Added(CDatabase& db) const {
  const auto after = db.TableRowCounts();
  std::string text;
  for (size_t i = 0; i < after.size() && i < m_before.size(); ++i) {
    const int32_t added = after[i].second - m_before[i].second;
    if (added <= 0) continue;
    text += text.empty() ? "added " + std::to_string(added) + " rows to " : ", " + std::to_string(added) + " to ";
    text += after[i].first;
  }
  return text.empty() ? "no rows added" : text;
}

}  // namespace zazorazari::cli
