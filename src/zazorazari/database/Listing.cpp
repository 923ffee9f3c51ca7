// Reads for hosts beyond the single record and the two collections: every
// record of a type (filtered, ordered), the tables' row counts and the
// file's consistency check.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/engine/Recordset.h"

namespace zazorazari {

namespace {

engine::Database& OpenEngine(const CDatabase& db) {
  if (!db.DatabaseObject()) throw RuntimeError(errObjectNotSet);
  return *db.DatabaseObject();
}

}  // namespace

void CDatabase::ForEachDataObject(const std::string& strType, const DataObjectVisitor& visit,
                                  const std::string& strFilter, const std::string& strOrder) {
  const DataObjectType* type = FindDataObjectType(strType);
  if (type == nullptr) {
    throw Error(enumErrorUndefinedDataObject, FacadeSource("ForEachDataObject"),
                "Undefined data object '" + strType + "'");
  }
  engine::Database& engineDb = OpenEngine(*this);
  InTransaction(*this, false, [&] {
    // The type's empty record: its fields, sizes and Required flags.
    const CDataObjectPtr shape = CreateDataObject(strType);
    std::string sql = std::string("SELECT * FROM ") + type->view;
    if (!strFilter.empty()) sql += " WHERE " + strFilter;
    if (!strOrder.empty()) sql += " ORDER BY " + strOrder;
    auto rs = engineDb.OpenRecordset(sql, engine::dbOpenSnapshot);
    for (; !rs->IsEOF(); rs->MoveNext()) {
      CDataObjectPtr record = shape->Clone();
      record->SetName(strType);
      record->FillFromDAORecordset(*rs);
      if (!visit(record)) break;
    }
    rs->Close();
  });
}

std::vector<CDataObjectPtr> CDatabase::ListDataObjects(const std::string& strType, const std::string& strFilter,
                                                       const std::string& strOrder) {
  std::vector<CDataObjectPtr> records;
  ForEachDataObject(
      strType,
      [&](const CDataObjectPtr& record) {
        records.push_back(record);
        return true;
      },
      strFilter, strOrder);
  return records;
}

std::string CDatabase::CollectionMemberType(const std::string& strType) const {
  const CollectionType* type = FindCollectionType(strType);
  if (type == nullptr) {
    throw Error(enumErrorUndefinedDataObject, FacadeSource("CollectionMemberType"),
                "Undefined data object collection type'" + strType + "'");
  }
  return type->memberView;
}

std::vector<std::pair<std::string, int32_t>> CDatabase::TableRowCounts() {
  engine::Database& engineDb = OpenEngine(*this);
  return InTransaction(*this, false, [&] {
    std::vector<std::pair<std::string, int32_t>> counts;
    for (const std::string& table : engineDb.TableNames()) {
      auto rs = engineDb.OpenRecordset(table, engine::dbOpenTable);
      counts.emplace_back(table, rs->RecordCount());
      rs->Close();
    }
    return counts;
  });
}

std::string CDatabase::IntegrityCheck() {
  engine::Database& engineDb = OpenEngine(*this);
  return InTransaction(*this, false, [&] { return engineDb.IntegrityCheck(); });
}

}  // namespace zazorazari
