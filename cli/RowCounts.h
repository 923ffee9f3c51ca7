// What an import or copy did, told by the row counts of the tables before
// and after it: "added 36 rows to tblPilot, 20 to tblTurnpoint".
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli {

class RowCounts {
 public:
  explicit RowCounts(CDatabase& db);

  // Rows added to `table` since the counts were taken.
  int32_t AddedTo(CDatabase& db, const std::string& table) const;

  // Every table that gained rows, or "no rows added".
  std::string Added(CDatabase& db) const;

 private:
  std::vector<std::pair<std::string, int32_t>> m_before;
};

}  // namespace zazorazari::cli
