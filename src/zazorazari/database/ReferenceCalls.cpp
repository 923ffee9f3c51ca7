// The facade's reference calls: the audit, the repair, and the two checks a
// host makes before it writes a typed reference or deletes a catalogue row.
#include <strings.h>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/ReferenceAudit.h"
#include "zazorazari/database/ReferenceRelations.h"
#include "zazorazari/database/ReferenceRepair.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

// The database of an open facade (91 when none is open).
engine::Database& OpenEngine(const CDatabase& db) {
  if (!db.DatabaseObject()) throw RuntimeError(errObjectNotSet);
  return *db.DatabaseObject();
}

bool RowExists(engine::Database& db, const std::string& table, const Variant& key) {
  auto rs = db.OpenRecordset("SELECT * FROM " + table + " WHERE " + SqlEqualNumber(KeyColumnOf(db, table), key),
                             engine::dbOpenSnapshot);
  const bool found = !rs->IsEOF();
  rs->Close();
  return found;
}

bool Named(const std::vector<std::string>& fieldNames, const char* column) {
  if (fieldNames.empty()) return true;
  for (const std::string& name : fieldNames) {
    if (strcasecmp(name.c_str(), column) == 0) return true;
  }
  return false;
}

}  // namespace

std::vector<ReferenceFinding> CDatabase::AuditReferences() {
  OpenEngine(*this);
  return InTransaction(*this, false, [&] { return ReferenceAudit(*this).Run(); });
}

ReferenceRepairReport CDatabase::RepairReferences(bool bDryRun) {
  OpenEngine(*this);
  return ReferenceRepair(*this).Run(bDryRun);
}

std::vector<ReferenceFinding> CDatabase::MissingReferences(const CDataObject& dobj,
                                                           const std::vector<std::string>& fieldNames) {
  engine::Database& db = OpenEngine(*this);
  const std::string table = BaseTableOf(dobj.Name());
  std::vector<ReferenceFinding> findings;
  InTransaction(*this, false, [&] {
    for (const ReferenceRelation& relation : ReferenceRelations()) {
      if (table != relation.table || !dobj.HasField(relation.column) || !Named(fieldNames, relation.column)) continue;
      const Variant value = dobj.Fields(relation.column)->Value();
      if (!RefersToARow(value) || RowExists(db, relation.target, value)) continue;
      findings.push_back({"missing-row", relation.table, 0, relation.column, value,
                          dobj.Name() + "." + relation.column + " " + CStr(value) + ": no row of " + relation.target +
                              " has that key.",
                          false});
    }
  });
  return findings;
}

std::vector<ReferenceFinding> CDatabase::ReferencesTo(const std::string& strType, int32_t lPk) {
  engine::Database& db = OpenEngine(*this);
  const std::string table = BaseTableOf(strType);
  std::vector<ReferenceFinding> findings;
  InTransaction(*this, false, [&] {
    for (const ReferenceRelation& relation : ReferenceRelations()) {
      if (table != relation.target) continue;
      auto rs = db.OpenRecordset(std::string("SELECT * FROM ") + relation.table + " WHERE " +
                                     SqlEqualNumber(relation.column, Variant(lPk)),
                                 engine::dbOpenSnapshot);
      for (; !rs->IsEOF(); rs->MoveNext()) {
        const int32_t key = CLng(rs->Fields(0).Value());
        findings.push_back({"referenced-by", relation.table, key, relation.column, Variant(lPk),
                            std::string(relation.table) + " " + std::to_string(key) + " refers to it by " +
                                relation.column + ".",
                            false});
      }
      rs->Close();
    }
  });
  return findings;
}

}  // namespace zazorazari
