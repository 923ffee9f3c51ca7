// The catalogue merge between two open files: walks CatalogMergeTables in
// order, finds each source row in the target by its natural key with its
// references mapped to the target's keys, and adds, keeps, overwrites or
// asks. The caller runs it inside one transaction of the target.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "zazorazari/database/CDatabaseForward.h"
#include "zazorazari/database/CatalogMergeReport.h"
#include "zazorazari/interchange/CatalogMergeTables.h"
#include "zazorazari/platform/Dispatch.h"

namespace zazorazari {

namespace engine {
class Recordset;
}

namespace interchange {

class CatalogMerge {
 public:
  CatalogMerge(CDatabase& target, CDatabase& source, EnumMergeMode lMode, DispatchPtr frmProgress,
               DispatchPtr frmAskOverwrite)
      : m_target(target), m_source(source), m_mode(lMode), m_progress(std::move(frmProgress)),
        m_ask(std::move(frmAskOverwrite)) {}

  CatalogMergeReport Run();

 private:
  void MergeOne(const MergeTable& how, CatalogMergeCount& count);
  // False when a reference of the row cannot be mapped and the row is
  // worthless without it.
  bool MapReferences(const MergeTable& how, MergeRow& row, std::string& why);
  int32_t Find(const MergeTable& how, engine::Recordset& search, const MergeRow& row);
  // The unique column another target row already holds, or "".
  std::string TakenUnique(const MergeTable& how, const MergeRow& row, int32_t ownKey);
  bool Overwrite(const MergeTable& how, const MergeRow& row);
  void Write(engine::Recordset& writer, const MergeRow& row, const std::set<std::string>& columns);
  // Remembers the pilots whose slots (and, when new, results) need writing.
  void NoteTouchedPilot(const MergeTable& how, MergeRow& row, int32_t targetKey, bool added);
  void FinishPilots();

  CDatabase& m_target;
  CDatabase& m_source;
  EnumMergeMode m_mode;
  DispatchPtr m_progress;
  DispatchPtr m_ask;
  bool m_keepAll = false;
  bool m_overwriteAll = false;
  CatalogMergeReport m_report;
  std::map<std::string, std::map<int32_t, int32_t>> m_keys;  // table -> source key -> target key
  std::set<int32_t> m_touchedPilots;
  std::set<int32_t> m_addedPilots;
};

}  // namespace interchange
}  // namespace zazorazari
