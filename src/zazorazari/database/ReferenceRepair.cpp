// Repair passes: audit, fix what can be fixed, audit again, until a pass
// finds nothing left to fix (a removed attribute can orphan values, which
// orphan pilot attribute rows, which unsettle slots).
#include "zazorazari/database/ReferenceRepair.h"

#include <stdexcept>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/database/PilotSlots.h"
#include "zazorazari/database/ReferenceAudit.h"
#include "zazorazari/database/ReferenceRelations.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/ResultRows.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

// The longest chain of fixes that unsettle one another, plus one pass that
// finds nothing.
constexpr int kMaxPasses = 6;

const ReferenceRelation& RelationOf(const ReferenceFinding& finding) {
  for (const ReferenceRelation& relation : ReferenceRelations()) {
    if (finding.strTable == relation.table && finding.strColumn == relation.column) return relation;
  }
  throw std::logic_error("no relation " + finding.strTable + "." + finding.strColumn);
}

std::string KeyCriterion(engine::Database& db, const std::string& table, int32_t key) {
  return SqlEqualNumber(KeyColumnOf(db, table), Variant(key));
}

}  // namespace

ReferenceRepairReport ReferenceRepair::Run(bool bDryRun) {
  ReferenceRepairReport report;
  report.bDryRun = bDryRun;
  bool competitionChanged = false;
  {
    // Undone on any failure, and at the end of a dry run.
    engine::AtomicScope scope(*m_db.DatabaseObject());
    for (int pass = 0; pass < kMaxPasses; ++pass) {
      report.remaining.clear();
      bool fixed = false;
      for (const ReferenceFinding& finding : ReferenceAudit(m_db).Run()) {
        if (!finding.bRepairable) {
          report.remaining.push_back(finding);
          continue;
        }
        const std::string action = Fix(finding);
        if (action.empty()) continue;
        report.actions.push_back(action);
        fixed = true;
        competitionChanged = competitionChanged || finding.strTable == "tblCompetition";
      }
      if (!fixed) break;
    }
    if (bDryRun) {
      scope.Rollback();
    } else {
      scope.Commit();
    }
  }
  if (!bDryRun && !report.actions.empty()) FacadeInternals::SetModified(m_db);
  // The facade keeps the competition record; it must see the cleared slots.
  if (!bDryRun && competitionChanged) m_db.SetCompetitionObject(m_db.GetDataObject("doCompetition", 1));
  return report;
}

std::string ReferenceRepair::Fix(const ReferenceFinding& finding) {
  if (finding.strKind == "missing-row") return FixMissingRow(finding);
  if (finding.strKind == "missing-result") return AddMissingResult(finding);
  const bool changed = PilotSlots(m_db).Write(Variant(finding.lPk));
  return changed ? "tblPilot " + std::to_string(finding.lPk) + ": attribute slots rewritten from its tblPilotAttribute rows."
                 : std::string();
}

std::string ReferenceRepair::FixMissingRow(const ReferenceFinding& finding) {
  const ReferenceRelation& relation = RelationOf(finding);
  engine::Database& db = *m_db.DatabaseObject();
  const std::string where = KeyCriterion(db, finding.strTable, finding.lPk);
  const std::string what = finding.strTable + " " + std::to_string(finding.lPk) + ": ";
  const std::string why = finding.strColumn + " " + CStr(finding.vntValue) + " names no row of " + relation.target;
  auto rs = db.OpenRecordset("SELECT * FROM " + finding.strTable + " WHERE " + where, engine::dbOpenDynaset);
  if (rs->IsEOF()) {
    rs->Close();
    return "";
  }
  if (relation.kind == ReferenceKind::Owner) {
    rs->Delete();
    rs->Close();
    return what + "removed (" + why + ").";
  }
  rs->Edit();
  rs->Fields(finding.strColumn).SetValue(Variant::Null());
  rs->Update();
  rs->Close();
  return what + finding.strColumn + " cleared (" + why + ").";
}

std::string ReferenceRepair::AddMissingResult(const ReferenceFinding& finding) {
  engine::Database& db = *m_db.DatabaseObject();
  auto task = db.OpenRecordset("SELECT * FROM tblTask WHERE " + SqlEqualNumber("tasPk", finding.vntValue),
                               engine::dbOpenSnapshot);
  auto results = db.OpenRecordset("tblResult", engine::dbOpenDynaset);
  AddResultRow(*results, Variant(finding.lPk), *task);
  results->Close();
  task->Close();
  return "tblResult: added the result of pilot " + std::to_string(finding.lPk) + " for task " +
         CStr(finding.vntValue) + ".";
}

}  // namespace zazorazari
