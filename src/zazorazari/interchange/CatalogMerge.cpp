// The catalogue merge and the facade call that runs it all or nothing.
#include "zazorazari/interchange/CatalogMerge.h"

#include <strings.h>

#include <memory>
#include <utility>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/PilotSlots.h"
#include "zazorazari/database/ReferenceRelations.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/rules/ResultRows.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace interchange {

namespace {

// column = value as the engine reads it; NULL matches NULL.
std::string Equal(const std::string& column, const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return "ISNULL(" + column + ")";
  if (value.VarType() == vtString) return SqlEqualText(column, value);
  if (value.VarType() == vtDate) return column + " = " + DateLiteral(value);
  return SqlEqualNumber(column, value);
}

// The natural key's values, naming the row in questions and notes.
std::string RowName(const MergeTable& how, const MergeRow& row) {
  std::string name = how.table;
  for (const char* column : how.keys.front().exact) {
    const auto found = row.find(column);
    if (found != row.end() && !found->second.IsNull()) name += " " + CStr(found->second);
  }
  return name;
}

bool Listed(const std::vector<const char*>& names, const std::string& column) {
  for (const char* name : names) {
    if (strcasecmp(name, column.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace

CatalogMergeReport CatalogMerge::Run() {
  const auto& tables = CatalogMergeTables();
  for (size_t i = 0; i < tables.size(); ++i) {
    ReportProgressIfAny(m_progress, static_cast<double>(i + 1) / static_cast<double>(tables.size()) * 100);
    CatalogMergeCount count;
    count.strTable = tables[i].table;
    MergeOne(tables[i], count);
    m_report.tables.push_back(count);
  }
  FinishPilots();
  return m_report;
}

void CatalogMerge::MergeOne(const MergeTable& how, CatalogMergeCount& count) {
  engine::Database& target = *m_target.DatabaseObject();
  engine::Database& source = *m_source.DatabaseObject();
  // Columns both files have, less the key and what the target derives.
  std::set<std::string> columns;
  const auto& sourceDefs = source.TableDefs(how.table);
  const auto& targetDefs = target.TableDefs(how.table);
  for (size_t i = 1; i < targetDefs.size(); ++i) {
    const std::string& name = targetDefs[i].Name;
    if (Listed(how.derived, name)) continue;
    for (size_t j = 1; j < sourceDefs.size(); ++j) {
      if (strcasecmp(sourceDefs[j].Name.c_str(), name.c_str()) == 0) columns.insert(name);
    }
  }
  std::map<int32_t, int32_t>& keys = m_keys[how.table];
  auto rows = source.OpenRecordset(how.table, engine::dbOpenSnapshot);
  auto search = target.OpenRecordset(how.searchSource ? how.searchSource : how.table,
                                     how.searchSource ? engine::dbOpenSnapshot : engine::dbOpenDynaset);
  auto writer = target.OpenRecordset(how.table, engine::dbOpenDynaset);
  const std::string keyColumn = targetDefs.front().Name;
  for (; !rows->IsEOF(); rows->MoveNext()) {
    const int32_t sourceKey = CLng(rows->Fields(0).Value());
    MergeRow row;
    for (const std::string& column : columns) row[column] = rows->Fields(column).Value();
    const auto skip = [&](const std::string& why) {
      ++count.lSkipped;
      m_report.notes.push_back(RowName(how, row) + ": " + why + ".");
    };
    std::string why;
    if (!MapReferences(how, row, why)) {
      skip("skipped, " + why);
      continue;
    }
    if (how.completeRow) how.completeRow(target, row);
    const int32_t found = Find(how, *search, row);
    if (found == 0 && how.readOnly) {
      skip("skipped, the target has no such row and never gets one");
      continue;
    }
    if (found != 0) {
      keys[sourceKey] = found;
      writer->FindFirst(SqlEqualNumber(keyColumn, Variant(found)));
      bool same = true;
      for (const std::string& column : columns) same = same && IsEqualOrBothNull(writer->Fields(column).Value(), row[column]);
      if (same || how.readOnly) {
        ++count.lMatched;
        continue;
      }
      if (!Overwrite(how, row)) {
        ++(m_mode == enumMergeKeep ? count.lMatched : count.lSkipped);
        continue;
      }
    }
    // A start number or turnpoint ID stays with the row that holds it.
    if (const std::string taken = TakenUnique(how, row, found); !taken.empty()) {
      skip(std::string(found != 0 ? "not overwritten" : "not added") + ", another row holds its " + taken);
      continue;
    }
    if (found != 0) {
      writer->Edit();
    } else {
      writer->AddNew();
    }
    Write(*writer, row, columns);
    int32_t targetKey = found;
    if (found != 0) {
      ++count.lOverwritten;
    } else {
      writer->SetBookmark(writer->LastModified());
      targetKey = CLng(writer->Fields(0).Value());
      keys[sourceKey] = targetKey;
      ++count.lAdded;
    }
    NoteTouchedPilot(how, row, targetKey, found == 0);
  }
  writer->Close();
  search->Close();
  rows->Close();
}

bool CatalogMerge::MapReferences(const MergeTable& how, MergeRow& row, std::string& why) {
  for (const ReferenceRelation& relation : ReferenceRelations()) {
    if (std::string(how.table) != relation.table) continue;
    const auto value = row.find(relation.column);
    if (value == row.end() || !RefersToARow(value->second)) continue;
    const auto& keys = m_keys[relation.target];
    const auto mapped = keys.find(CLng(value->second));
    if (mapped != keys.end()) {
      value->second = Variant(mapped->second);
    } else if (relation.kind == ReferenceKind::Owner) {
      why = std::string(relation.column) + " " + CStr(value->second) + " names a row of " + relation.target +
            " that was not brought over";
      return false;
    } else {
      value->second = Variant::Null();
    }
  }
  return true;
}

int32_t CatalogMerge::Find(const MergeTable& how, engine::Recordset& search, const MergeRow& row) {
  for (const NaturalKey& key : how.keys) {
    if (key.onlyWhenSet && row.at(key.exact.front()).IsNull()) continue;
    std::string criteria;
    for (const char* column : key.exact) criteria += (criteria.empty() ? "" : " AND ") + Equal(column, row.at(column));
    for (const char* column : key.lenient) {
      const Variant& value = row.at(column);
      if (!value.IsNull()) criteria += " AND (" + Equal(column, value) + " OR ISNULL(" + column + "))";
    }
    search.FindFirst(criteria);
    if (!search.NoMatch()) return CLng(search.Fields(0).Value());
  }
  return 0;
}

std::string CatalogMerge::TakenUnique(const MergeTable& how, const MergeRow& row, int32_t ownKey) {
  engine::Database& target = *m_target.DatabaseObject();
  for (const char* column : how.unique) {
    const Variant& value = row.at(column);
    if (value.IsNull()) continue;
    std::string sql = std::string("SELECT * FROM ") + how.table + " WHERE " + Equal(column, value);
    if (ownKey != 0) sql += " AND " + KeyColumnOf(target, how.table) + " <> " + std::to_string(ownKey);
    auto rs = target.OpenRecordset(sql, engine::dbOpenSnapshot);
    const bool taken = !rs->IsEOF();
    rs->Close();
    if (taken) return std::string(column) + " " + CStr(value);
  }
  return "";
}

// Whether a found row that differs is written from the source: by the mode,
// or by the host's answer (0 keep, 1 overwrite, 2 keep this and every later
// one, 3 overwrite this and every later one).
bool CatalogMerge::Overwrite(const MergeTable& how, const MergeRow& row) {
  if (m_mode == enumMergeOverwrite || m_overwriteAll) return true;
  if (m_mode != enumMergeAsk || m_keepAll || !m_ask) return false;
  const Variant answer = AskOverwrite(m_ask, m_target.GetUserInterface(), RowName(how, row));
  m_keepAll = answer == Variant(2);
  m_overwriteAll = answer == Variant(3);
  return answer == Variant(1) || m_overwriteAll;
}

void CatalogMerge::Write(engine::Recordset& writer, const MergeRow& row, const std::set<std::string>& columns) {
  for (const std::string& column : columns) writer.Fields(column).SetValue(row.at(column));
  writer.Update();
}

void CatalogMerge::NoteTouchedPilot(const MergeTable& how, MergeRow& row, int32_t targetKey, bool added) {
  const std::string table = how.table;
  if (table == "tblPilot") {
    m_touchedPilots.insert(targetKey);
    if (added) m_addedPilots.insert(targetKey);
  } else if (table == "tblPilotAttribute") {
    m_touchedPilots.insert(CLng(row["pilPk"]));
  }
}

// A pilot's slots follow his attribute rows and the target's competition;
// a new pilot gets his result rows for the target's tasks.
void CatalogMerge::FinishPilots() {
  if (m_touchedPilots.empty()) return;
  engine::Database& target = *m_target.DatabaseObject();
  const PilotSlots slots(m_target);
  for (const int32_t pilot : m_touchedPilots) slots.Write(Variant(pilot));
  if (m_addedPilots.empty()) return;
  auto tasks = target.OpenRecordset("tblTask", engine::dbOpenSnapshot);
  auto results = target.OpenRecordset("tblResult", engine::dbOpenDynaset);
  for (; !tasks->IsEOF(); tasks->MoveNext()) {
    for (const int32_t pilot : m_addedPilots) AddResultRow(*results, Variant(pilot), *tasks);
  }
  results->Close();
  tasks->Close();
}

}  // namespace interchange

CatalogMergeReport CDatabase::MergeCatalogFrom(const std::string& strSourcePath, EnumMergeMode lMode,
                                               DispatchPtr frmProgress, DispatchPtr frmAskOverwrite) {
  if (!DatabaseObject()) throw RuntimeError(errObjectNotSet);
  if (frmProgress) PutProperty(frmProgress, "RaiseErrorIfCanceled", false);
  auto source = std::make_unique<CDatabase>();
  source->SetPath(strSourcePath);
  source->OpenDB();
  CatalogMergeReport report;
  engine::AtomicScope scope(*DatabaseObject());  // undone on any failure
  InTransaction(*source, false, [&] {
    report = interchange::CatalogMerge(*this, *source, lMode, frmProgress, frmAskOverwrite).Run();
  });
  source->CloseDB();
  scope.Commit();
  if (report.Changed()) SetModified();
  return report;
}

}  // namespace zazorazari
