// The three XML exports of the open database: the whole database (root
// "ZOLT"), one task with the pilot list (root "ZOLTTask") and one task's
// results (root "ZOLTTaskResult").
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/engine/TableScan.h"
#include "zazorazari/interchange/DatabaseFileLayout.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/RawXmlText.h"
#include "zazorazari/interchange/XmlDocumentFile.h"
#include "zazorazari/interchange/XmlValueText.h"
#include "zazorazari/platform/BackgroundJobs.h"

namespace zazorazari {

using namespace interchange;

namespace {

// Older files have no ttpCircle: tblTaskTurnpoint then has 9 columns.
constexpr size_t kTaskTurnpointColumnsWithoutCircle = 9;

engine::Database& OpenEngine(const CDatabase& db) {
  auto engineDb = db.DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  return *engineDb;
}

void SetAttribute(pugi::xml_node element, const char* name, const std::string& text) {
  element.append_attribute(name).set_value(XmlSafeText(text).c_str());
}

void SetAttribute(pugi::xml_node element, const char* name, const Variant& value, ValueForm form) {
  SetAttribute(element, name, FormatValue(value, form));
}

// Row elements of the table from its values, row after row.
void WriteRows(RawXmlText& xml, const char* table, const std::vector<const ExportColumn*>& columns,
               const std::vector<Variant>& values) {
  for (size_t row = 0; row < values.size(); row += columns.size()) {
    xml.Open(table);
    for (size_t i = 0; i < columns.size(); ++i) {
      const Variant& value = values[row + i];
      if (columns[i]->omitWhenNull && value.IsNull()) continue;
      xml.Attribute(columns[i]->name, XmlSafeText(FormatValue(value, columns[i]->form)));
    }
    xml.CloseEmpty();
  }
}

// One row element per row of the table, attributes in layout order. The rows
// are read here and handed, a few hundred at a time, to `formatting`, whose
// thread turns them into text and writes it.
void ExportTableRows(engine::Database& db, const ExportTable& table, RawXmlText& xml, BackgroundJobs& formatting) {
  auto columns = std::make_shared<std::vector<const ExportColumn*>>();
  for (const auto& column : table.columns) columns->push_back(&column);
  if (std::string(table.name) == "tblTaskTurnpoint" &&
      db.TableDefs(table.name).size() <= kTaskTurnpointColumnsWithoutCircle) {
    columns->pop_back();
  }
  std::vector<const char*> names;
  for (const auto* column : *columns) names.push_back(column->name);
  engine::TableScan rows(db, table.name, names);
  const char* name = table.name;
  formatting.Submit([&xml, name] { xml.Open(name); });
  constexpr size_t kRowsPerJob = 256;
  std::vector<Variant> values;
  bool first = true;
  const auto handOver = [&] {
    formatting.Submit([&xml, name, columns, first, values = std::move(values)] {
      if (first) xml.EndStart();
      WriteRows(xml, name, *columns, values);
    });
    values.clear();
    first = false;
  };
  while (rows.Next()) {
    for (size_t i = 0; i < columns->size(); ++i) values.push_back(rows.Value(i));
    if (values.size() >= kRowsPerJob * columns->size()) handOver();
  }
  if (!values.empty()) handOver();
  formatting.Submit([&xml, name, empty = first] {
    if (empty) {
      xml.CloseEmpty();
    } else {
      xml.Close(name);
    }
  });
}

std::string TaskCriteria(int32_t lPkTask) { return " WHERE tasPk = " + std::to_string(lPkTask); }

}  // namespace

void CDatabase::ExportDB(const std::string& strPath, enumDBVersion /*lVersion: every version writes one format*/,
                         enumExportFormat lType, DispatchPtr frmProgress) {
  if (lType != enumExportXML) return;
  InTransaction(*this, false, [&] {
    ReportProgress(frmProgress, int16_t{5});
    engine::Database& db = OpenEngine(*this);
    SaveXmlText(strPath, [&](RawXmlText& xml) {
      // Ends (here, also after a failure) before the text it fills goes.
      BackgroundJobs formatting(4);
      formatting.Submit([&xml] {
        xml.Open("ZOLT");
        xml.EndStart();
      });
      for (const auto& table : DatabaseFileTables()) {
        ExportTableRows(db, table, xml, formatting);
        if (table.exportPercent != 0) ReportProgress(frmProgress, table.exportPercent);
      }
      formatting.Submit([&xml] { xml.Close("ZOLT"); });
      formatting.Wait();
    });
    ReportProgress(frmProgress, int16_t{100});
  });
}

void CDatabase::ExportTask(const std::string& strPath, int32_t lPkTask, enumExportFormat lType,
                           DispatchPtr frmProgress) {
  if (lType != enumExportXML) return;
  InTransaction(*this, false, [&] {
    ReportProgress(frmProgress, int16_t{50});
    engine::Database& db = OpenEngine(*this);
    if (!m_objCompetition) throw RuntimeError(errObjectNotSet);
    pugi::xml_document document;
    pugi::xml_node competition = document.append_child("ZOLTTask").append_child("Competition");
    SetAttribute(competition, "Name", m_objCompetition->Fields("comName")->Value(), ValueForm::Text);

    pugi::xml_node pilots = competition.append_child("Pilots");
    auto rsPilots = db.OpenRecordset("doPilot", engine::dbOpenSnapshot);
    while (!rsPilots->IsEOF()) {
      pugi::xml_node pilot = pilots.append_child("Pilot");
      SetAttribute(pilot, "ID", rsPilots->Fields("pilPk").Value(), ValueForm::Plain);
      for (const auto& [attribute, column] : {std::pair{"LastName", "pilLastName"}, {"FirstName", "pilFirstName"},
                                              {"Number", "pilNumber"}, {"Nation", "natCode3"},
                                              {"Region", "oriRegion"}}) {
        SetAttribute(pilot, attribute, rsPilots->Fields(column).Value(), ValueForm::Text);
      }
      rsPilots->MoveNext();
    }
    rsPilots->Close();

    // The task row is read without an end test: a missing task fails with
    // the engine's "no current record".
    auto rsTask = db.OpenRecordset("SELECT * FROM doTask" + TaskCriteria(lPkTask), engine::dbOpenSnapshot);
    pugi::xml_node task = competition.append_child("Task");
    SetAttribute(task, "ID", rsTask->Fields("tasPk").Value(), ValueForm::Plain);
    for (const auto& [attribute, column] :
         {std::pair{"Name", "tasName"}, {"Date", "tasDate"}, {"TaskType", "tasTaskType"},
          {"StartType", "tasStartType"}, {"SSOpen", "tasSSOpen"}, {"SSClose", "tasSSClose"},
          {"ESClose", "tasESClose"}}) {
      SetAttribute(task, attribute, rsTask->Fields(column).Value(), ValueForm::Text);
    }

    pugi::xml_node turnpoints = task.append_child("Turnpoints");
    auto rsTurnpoints = db.OpenRecordset("SELECT * FROM doTaskTurnpoint" + TaskCriteria(lPkTask) + " ORDER BY ttpNr",
                                         engine::dbOpenSnapshot);
    while (!rsTurnpoints->IsEOF()) {
      pugi::xml_node turnpoint = turnpoints.append_child("Turnpoint");
      SetAttribute(turnpoint, "Number", rsTurnpoints->Fields("ttpNr").Value(), ValueForm::Plain);
      for (const auto& [attribute, column] :
           {std::pair{"ID", "trnPk"},
            {"Name", "trnName"},
            {"TimeGateType", "ttpTimeGateType"},
            {"PositionType", "trnPositionType"},
            {"LatitudeDirection", "trnPositionLatitudeDirection"},
            {"LatitudeDecimal", "trnPositionLatitudeDecimal"},
            {"LongitudeDirection", "trnPositionLongitudeDirection"},
            {"LongitudeDecimal", "trnPositionLongitudeDecimal"},
            {"MapDate", "gedName"},
            {"Eastings", "trnPositionEastings"},
            {"Northings", "trnPositionNorthings"}}) {
        SetAttribute(turnpoint, attribute, rsTurnpoints->Fields(column).Value(), ValueForm::Text);
      }
      rsTurnpoints->MoveNext();
    }
    rsTask->Close();
    rsTurnpoints->Close();
    SaveXmlDocument(document, strPath);
    ReportProgress(frmProgress, int16_t{100});
  });
}

void CDatabase::ExportTaskResult(const std::string& strPath, int32_t lPkTask, enumExportFormat lType,
                                 DispatchPtr frmProgress) {
  if (lType != enumExportXML) return;
  // Attribute names are the column names without "res"; the result import
  // relies on that.
  static const char* const kResultColumns[] = {
      "resStatus",           "resTurnpointsReached",        "resPositionType",
      "resPositionLatitudeDecimal", "resPositionLatitudeDirection", "resPositionLongitudeDecimal",
      "resPositionLongitudeDirection", "resPositionEastings",  "resPositionNorthings",
      "resPositionCirceled", "resPositionAbsolute",         "resPositionMapZone",
      "resSSTime",           "resESTime",                   "resEstimated",
      "resPenaltyValue",     "resPenaltyType",              "resComment",
      "resDirectScore"};
  InTransaction(*this, false, [&] {
    ReportProgress(frmProgress, int16_t{50});
    engine::Database& db = OpenEngine(*this);
    pugi::xml_document document;
    pugi::xml_node task = document.append_child("ZOLTTaskResult").append_child("Task");
    SetAttribute(task, "ID", std::to_string(lPkTask));
    pugi::xml_node pilots = task.append_child("Pilots");
    auto rs = db.OpenRecordset("SELECT * FROM doResult" + TaskCriteria(lPkTask) + " ORDER BY pilPk",
                               engine::dbOpenSnapshot);
    std::vector<engine::Field*> fields;
    for (const char* column : kResultColumns) fields.push_back(&rs->Fields(column));
    engine::Field& pilotKey = rs->Fields("pilPk");
    while (!rs->IsEOF()) {
      pugi::xml_node pilot = pilots.append_child("Pilot");
      SetAttribute(pilot, "ID", pilotKey.Value(), ValueForm::Plain);
      for (size_t i = 0; i < fields.size(); ++i) {
        const Variant value = fields[i]->Value();
        if (!value.IsNull()) SetAttribute(pilot, kResultColumns[i] + 3, value, ValueForm::Text);
      }
      rs->MoveNext();
    }
    rs->Close();
    SaveXmlDocument(document, strPath);
    ReportProgress(frmProgress, int16_t{100});
  });
}

}  // namespace zazorazari
