// The reference list of the template's tables.
#include "zazorazari/database/ReferenceRelations.h"

#include <map>

#include "zazorazari/engine/Database.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari {

const std::vector<ReferenceRelation>& ReferenceRelations() {
  using enum ReferenceKind;
  static const std::vector<ReferenceRelation> relations{
      {"tblAttributeValue", "attPk", "tblAttribute", Owner},
      {"tblCompetition", "attPk1", "tblAttribute", Optional},
      {"tblCompetition", "attPk2", "tblAttribute", Optional},
      {"tblCompetition", "attPk3", "tblAttribute", Optional},
      {"tblCompetition", "attPk4", "tblAttribute", Optional},
      {"tblPilot", "gliPk", "tblGlider", Optional},
      {"tblPilot", "oriPk", "tblOrigin", Optional},
      {"tblPilot", "avaPk1", "tblAttributeValue", Optional},
      {"tblPilot", "avaPk2", "tblAttributeValue", Optional},
      {"tblPilot", "avaPk3", "tblAttributeValue", Optional},
      {"tblPilot", "avaPk4", "tblAttributeValue", Optional},
      {"tblPilotAttribute", "pilPk", "tblPilot", Owner},
      {"tblPilotAttribute", "avaPk", "tblAttributeValue", Owner},
      {"tblOrigin", "natPk", "tblNation", Optional},
      {"tblTurnpoint", "geoPk", "tblGeoDate", Optional},
      {"tblTurnpoint", "oriPk", "tblOrigin", Optional},
      {"tblGlider", "manPk", "tblManufacturer", Optional},
      {"tblResult", "pilPk", "tblPilot", Owner},
      {"tblResult", "tasPk", "tblTask", Owner},
      {"tblResult", "geoPk", "tblGeoDate", Optional},
      {"tblTaskTurnpoint", "tasPk", "tblTask", Owner},
      {"tblTaskTurnpoint", "trnPk", "tblTurnpoint", Owner},
      {"tblFormulaTask", "tasPk", "tblTask", Owner},
  };
  return relations;
}

bool RefersToARow(const Variant& value) { return !value.IsNull() && !value.IsEmpty() && CDbl(value) != 0; }

std::string BaseTableOf(const std::string& strType) {
  static const std::map<std::string, std::string> tables{
      {"doAttribute", "tblAttribute"},     {"doAttributeValue", "tblAttributeValue"},
      {"doCompetition", "tblCompetition"}, {"doGeoDate", "tblGeoDate"},
      {"doGlider", "tblGlider"},           {"doOrigin", "tblOrigin"},
      {"doPilot", "tblPilot"},             {"doPilotAttribute", "tblPilotAttribute"},
      {"doResult", "tblResult"},           {"doTask", "tblTask"},
      {"doTaskTurnpoint", "tblTaskTurnpoint"}, {"doTurnpoint", "tblTurnpoint"},
  };
  const auto found = tables.find(strType);
  return found == tables.end() ? std::string() : found->second;
}

std::string KeyColumnOf(engine::Database& db, const std::string& table) { return db.TableDefs(table).front().Name; }

}  // namespace zazorazari
