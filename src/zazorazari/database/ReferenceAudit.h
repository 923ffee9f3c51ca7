// The reference audit of an open database file: references to missing rows
// (every relation of ReferenceRelations), pilots sharing a start number or
// a global ID, attribute slots that disagree with the attribute rows, and
// result rows missing or doubled for a pilot and a task.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabaseForward.h"
#include "zazorazari/database/ReferenceFinding.h"

namespace zazorazari {

class ReferenceAudit {
 public:
  explicit ReferenceAudit(CDatabase& db) : m_db(db) {}
  std::vector<ReferenceFinding> Run();

  // The keys of a table's rows (read once per audit).
  const std::set<int32_t>& Keys(const std::string& table);

 private:
  void FindMissingRows(std::vector<ReferenceFinding>& findings);
  void FindDuplicatePilots(std::vector<ReferenceFinding>& findings);
  void FindSlotMismatches(std::vector<ReferenceFinding>& findings);
  void FindResultGaps(std::vector<ReferenceFinding>& findings);

  CDatabase& m_db;
  std::map<std::string, std::set<int32_t>> m_keys;
};

}  // namespace zazorazari
