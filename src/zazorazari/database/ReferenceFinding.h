// What the reference audit of a database file reports and what a repair did
// (extensions of the facade: CDatabase::AuditReferences, RepairReferences,
// MissingReferences, ReferencesTo).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

struct ReferenceFinding {
  // "missing-row": the column names no row of the table it refers to;
  // "duplicate-number", "duplicate-id": a pilot holds another pilot's start
  // number or global ID; "slot-mismatch": an attribute slot of tblPilot
  // disagrees with the pilot's tblPilotAttribute rows; "missing-result",
  // "doubled-result": a pilot has no or a second tblResult row for a task;
  // "referenced-by": the row (ReferencesTo) refers to the record asked about.
  std::string strKind;
  std::string strTable;  // the table of the row concerned
  int32_t lPk = 0;       // that row's key
  std::string strColumn;
  Variant vntValue;  // the column's value (the task's key for results)
  std::string strDescription;  // one sentence for a person
  bool bRepairable = false;    // RepairReferences fixes it
};

struct ReferenceRepairReport {
  bool bDryRun = false;               // nothing was kept
  std::vector<std::string> actions;   // what was (or would be) done, one line each
  std::vector<ReferenceFinding> remaining;  // for a person to resolve
};

}  // namespace zazorazari
#pragma GCC visibility pop
