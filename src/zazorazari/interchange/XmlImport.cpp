// Imports of a database file (root "ZOLT"): the whole database, only its
// pilots with what they refer to, or only its turnpoints, each merged table
// by table by primary key.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/XmlDocumentFile.h"
#include "zazorazari/interchange/XmlRowChunks.h"
#include "zazorazari/interchange/XmlTableElements.h"
#include "zazorazari/interchange/XmlTableMerge.h"
#include "zazorazari/interchange/XmlWellFormed.h"

namespace zazorazari {

using namespace interchange;

namespace {

struct TableStep {
  const char* table;
  int16_t percent;  // progress reported before the table
};

constexpr TableStep kWholeDatabase[] = {
    {"tblAttribute", 5},           {"tblAttributeValue", 10}, {"tblGeoDate", 15},        {"tblNation", 20},
    {"tblOrigin", 25},             {"tblTurnpoint", 30},      {"tblManufacturer", 35},   {"tblGlider", 40},
    {"tblReportString", 45},       {"tblFormulaCompetition", 50}, {"tblCompetition", 55}, {"tblPilot", 60},
    {"tblPilotAttribute", 65},     {"tblTask", 70},           {"tblFormulaTask", 75},    {"tblResult", 80},
    {"tblTaskTurnpoint", 85},      {"tblTeamScoring", 90}};

constexpr TableStep kPilots[] = {{"tblAttribute", 5}, {"tblAttributeValue", 10}, {"tblTurnpoint", 30},
                                 {"tblManufacturer", 35}, {"tblGlider", 40},    {"tblPilot", 60},
                                 {"tblPilotAttribute", 65}};

constexpr TableStep kTurnpoints[] = {{"tblTurnpoint", 5}};

// Files from this size on are read a piece at a time when their shape
// allows (XmlRowChunks.h): a parsed document takes about three times the
// size of its file.
constexpr size_t kPiecewiseFrom = size_t{32} << 20;

// For the checked imports: a turnpoint's decimal position lies on earth
// (NaN and infinities do not). Values that are no number are left to the
// import, which refuses them.
void CheckTurnpointPosition(pugi::xml_node row, const std::function<std::string()>& line,
                            const std::string& operation) {
  for (const auto& [column, limit] : {std::pair{"trnPositionLatitudeDecimal", 90},
                                      std::pair{"trnPositionLongitudeDecimal", 180}}) {
    const char* text = row.attribute(column).value();
    std::string number = text;
    std::replace(number.begin(), number.end(), ',', '.');  // as the import reads it
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (end != number.c_str() && !(std::fabs(value) <= limit)) {
      throw Error(enumErrorImportXML, FacadeSource(operation),
                  std::string("The turnpoint's ") + column + " '" + text + "' must lie between -" +
                      std::to_string(limit) + " and " + std::to_string(limit) + line() + ".");
    }
  }
}

// Loads the file, checks the root and merges the tables in order, all in
// one transaction.
void ImportDatabaseFile(CDatabase& db, const std::string& strPath, const DispatchPtr& frmProgress,
                        enumImportMode lMode, const std::string& operation, std::span<const TableStep> steps) {
  const auto loaded = ReadXmlFile(strPath, operation);
  const std::string_view bytes(loaded->buffer.get(), loaded->size);
  const auto pieces = loaded->size >= kPiecewiseFrom ? XmlRowChunks::Find(bytes) : nullptr;
  std::unique_ptr<XmlTableElements> elements;
  if (pieces == nullptr) {
    ParseXmlDocument(*loaded, strPath, operation);
    std::vector<std::string> tables;
    for (const auto& step : steps) tables.emplace_back(step.table);
    elements = std::make_unique<XmlTableElements>(loaded->document, tables);
  }
  const XmlRowSource& rows = pieces != nullptr ? static_cast<const XmlRowSource&>(*pieces) : *elements;
  if (lMode == enumImportAllOrNothing) {
    if (pieces != nullptr) {
      pieces->EachRowOf("tblTurnpoint", "tblTurnpoint", [&](pugi::xml_node row, size_t offset) {
        CheckTurnpointPosition(row, [&] { return LineNote(bytes, offset); }, operation);
      });
    } else {
      for (const pugi::xml_node row : loaded->document.document_element().child("tblTurnpoint").children("tblTurnpoint")) {
        CheckTurnpointPosition(row, [&] { return loaded->LineOf(row); }, operation);
      }
    }
  }
  InImportTransaction(db, lMode, [&] {
    // A file read in pieces has the root "ZOLT".
    const std::string root = pieces != nullptr ? "ZOLT" : loaded->document.document_element().name();
    if (root != "ZOLT") throw Error(enumErrorImportXML, FacadeSource(operation), "Unknown element '" + root + "'.");
    auto engineDb = db.DatabaseObject();
    if (!engineDb) throw RuntimeError(errObjectNotSet);
    for (const auto& step : steps) {
      ReportProgress(frmProgress, step.percent);
      UpdateDBFromXML(*engineDb, rows, step.table);
    }
    ReportProgress(frmProgress, int16_t{100});
  });
}

}  // namespace

void CDatabase::ImportDBFromXML(const std::string& strPath, DispatchPtr frmProgress, enumImportMode lMode) {
  ImportDatabaseFile(*this, strPath, frmProgress, lMode, "ImportDBFromXML", kWholeDatabase);
}

void CDatabase::ImportPilotsFromXML(const std::string& strPath, DispatchPtr frmProgress, enumImportMode lMode) {
  ImportDatabaseFile(*this, strPath, frmProgress, lMode, "ImportPilotsFromXML", kPilots);
}

void CDatabase::ImportTurnpointsFromXML(const std::string& strPath, DispatchPtr frmProgress, enumImportMode lMode) {
  ImportDatabaseFile(*this, strPath, frmProgress, lMode, "ImportTurnpointsFromXML", kTurnpoints);
}

}  // namespace zazorazari
