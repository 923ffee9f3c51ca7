// Import of a turnpoint file of any supported format through the turnpoint
// rules: all or nothing, except the waypoints the rules refuse, which are
// reported together after the rest has been stored (unless the caller asked
// for all or nothing there too).
#include <map>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/interchange/TurnpointAdder.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

using namespace interchange;

namespace {

constexpr const char* kOperation = "ImportTurnpointsFromFile";

std::string NameList(const std::vector<Refusal>& refusals, int32_t number) {
  std::string list;
  for (const auto& refusal : refusals) {
    if (refusal.number != number) continue;
    if (!list.empty()) list += ", ";
    list += "'" + refusal.entry->name + "' (line " + std::to_string(refusal.entry->line) + ")";
  }
  return list;
}

// One error for all refusals: the identifier refusals decide the number.
Error RefusalReport(const std::vector<Refusal>& refusals, bool bNothingStored) {
  const std::string heldIds = NameList(refusals, enumErrorTurnpointIDExists);
  const std::string existing = NameList(refusals, enumErrorRecordsetExists);
  std::string text = std::to_string(refusals.size()) + " turnpoint(s) not imported";
  if (!heldIds.empty()) text += "; identifier held by another turnpoint: " + heldIds;
  if (!existing.empty()) text += "; turnpoint exists: " + existing;
  if (bNothingStored) text += "; nothing of the file was stored";
  return Error(heldIds.empty() ? enumErrorRecordsetExists : enumErrorTurnpointIDExists, FacadeSource(kOperation),
               text + ".");
}

// The turnpoint rules keep the datum keys while the file is imported.
class KeptDatumKeys {
 public:
  explicit KeptDatumKeys(CTurnpoint& rule) : m_rule(rule) { m_rule.KeepDatumKeys(true); }
  ~KeptDatumKeys() { m_rule.KeepDatumKeys(false); }
  KeptDatumKeys(const KeptDatumKeys&) = delete;
  KeptDatumKeys& operator=(const KeptDatumKeys&) = delete;

 private:
  CTurnpoint& m_rule;
};

}  // namespace

void CDatabase::ImportTurnpointsFromFile(const std::string& strPath, const std::string& strFormat,
                                         EnumOverwriteMode lOverwriteMode, DispatchPtr frmProgress,
                                         enumImportMode lMode) {
  const auto engineDb = DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  ReportProgress(frmProgress, int16_t{1});
  // The whole file is read first: a fault in it writes nothing.
  const std::vector<TurnpointEntry> entries =
      OnlyLibraryErrors([&] { return TurnpointFormatFor(strFormat, strPath).Read(strPath); });

  std::vector<Refusal> refusals;
  engine::AtomicScope scope(*engineDb);
  {
    TurnpointAdder adder(*this, *engineDb);
    const KeptDatumKeys keptDatums(m_objRules->Turnpoint());
    int16_t reported = 1;
    for (size_t i = 0; i < entries.size(); ++i) {
      adder.Add(entries[i], lOverwriteMode, refusals);
      const auto percent = static_cast<int16_t>(1 + (i + 1) * 98 / entries.size());
      if (percent != reported) ReportProgress(frmProgress, reported = percent);
    }
  }
  if (lMode == enumImportAllOrNothing && !refusals.empty()) throw RefusalReport(refusals, true);  // undoes it all
  scope.Commit();
  ReportProgress(frmProgress, int16_t{100});
  if (!refusals.empty()) throw RefusalReport(refusals, false);
}

}  // namespace zazorazari
