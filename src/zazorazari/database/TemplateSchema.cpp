// The template's tables and views by name (TemplateTest holds this list to
// the built template).
#include "zazorazari/database/TemplateSchema.h"

#include <strings.h>

#include <algorithm>
#include <iterator>

#include "zazorazari/engine/Database.h"

namespace zazorazari {

namespace {

constexpr const char* kTables[] = {
    "tblDatabaseInfo", "tblAttribute", "tblAttributeValue",     "tblGeoDate",     "tblNation",
    "tblOrigin",       "tblTurnpoint", "tblManufacturer",       "tblGlider",      "tblReportString",
    "tblFormulaCompetition", "tblCompetition", "tblPilot",      "tblPilotAttribute", "tblFormulaTask",
    "tblResult",       "tblTask",      "tblTaskTurnpoint",      "tblTeamScoring"};

constexpr const char* kViews[] = {
    "doAttribute", "doAttributeValue", "doPilotAttribute", "doGeoDate", "doOrigin", "doTurnpoint", "doGlider",
    "doReportString", "doCompetition", "doPilot", "doPilotCompetitionResult", "doTask", "doTaskTurnpoint",
    "lvwTaskTurnpoint", "doResult"};

// SQLite matches schema names without regard to ASCII letter case.
bool Listed(const std::string& name, const auto& names) {
  return std::any_of(std::begin(names), std::end(names),
                     [&](const char* listed) { return strcasecmp(listed, name.c_str()) == 0; });
}

}  // namespace

std::vector<std::string> ForeignSchemaObjects(engine::Database& db) {
  std::vector<std::string> foreign;
  for (const auto& object : db.SchemaEntries()) {
    const bool known = (object.type == "table" && Listed(object.name, kTables)) ||
                       (object.type == "view" && Listed(object.name, kViews)) || object.type == "index";
    if (!known) foreign.push_back(object.type + " '" + object.name + "'");
  }
  return foreign;
}

}  // namespace zazorazari
