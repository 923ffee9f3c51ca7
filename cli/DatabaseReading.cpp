// View rows and table counts through the engine's recordsets.
#include "DatabaseReading.h"

#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"

namespace zazorazari::cli {

namespace {

constexpr const char* kTables[] = {
    "tblDatabaseInfo", "tblCompetition",    "tblAttribute",  "tblAttributeValue", "tblNation",
    "tblOrigin",       "tblGeoDate",        "tblTurnpoint",  "tblManufacturer",   "tblGlider",
    "tblPilot",        "tblPilotAttribute", "tblTask",       "tblTaskTurnpoint",  "tblResult",
    "tblReportString", "tblFormulaCompetition", "tblFormulaTask", "tblTeamScoring"};

}  // namespace

std::vector<CDataObjectPtr> ReadViewRows(CDatabase& db, const std::string& type, const CDataObject& shape,
                                         const std::string& where, const std::string& order) {
  // The shape came from CreateDataObject, so the type is a registered one.
  const DataObjectType* registered = FindDataObjectType(type);
  std::string sql = std::string("SELECT * FROM ") + registered->view;
  if (!where.empty()) sql += " WHERE " + where;
  if (!order.empty()) sql += " ORDER BY " + order;
  auto rs = db.DatabaseObject()->OpenRecordset(sql, engine::dbOpenSnapshot);
  std::vector<CDataObjectPtr> rows;
  while (!rs->IsEOF()) {
    CDataObjectPtr row = shape.Clone();
    row->SetName(shape.Name());
    row->FillFromDAORecordset(*rs);
    rows.push_back(std::move(row));
    rs->MoveNext();
  }
  rs->Close();
  return rows;
}

std::vector<std::pair<std::string, int32_t>> CountTableRows(CDatabase& db) {
  std::vector<std::pair<std::string, int32_t>> counts;
  for (const char* table : kTables) {
    auto rs = db.DatabaseObject()->OpenRecordset(table, engine::dbOpenTable);
    counts.emplace_back(table, rs->RecordCount());
    rs->Close();
  }
  return counts;
}

}  // namespace zazorazari::cli
