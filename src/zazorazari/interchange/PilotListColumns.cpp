// Which "doPilot" fields a registration list carries and under which header.
#include "zazorazari/interchange/PilotListColumns.h"

#include <set>

#include "zazorazari/dataobject/CField.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari::interchange {

std::vector<PilotListColumn> PilotListColumns(const CDataObject& blankPilot) {
  static const std::set<std::string> kLeftOut{
      "pilPk",    "gliPk",    "oriPk",    "natPk",    "avaPk1",   "avaPk2",
      "avaPk3",   "avaPk4",   "attName1", "attName2", "attName3", "attName4",
      "pilCompetitionScore", "pilCompetitionPlace", "pilTaskPlaceSum"};
  std::vector<PilotListColumn> columns;
  for (const auto& field : blankPilot.Collection()) {
    const std::string& name = field->Name();
    if (kLeftOut.contains(name)) continue;
    if (name.starts_with("avaValue")) {
      // A slot without an attribute in this competition has no column.
      const Variant& attName = blankPilot.Fields("attName" + name.substr(8))->Value();
      if (!attName.IsNull() && !CStr(attName).empty()) columns.push_back({CStr(attName), name});
      continue;
    }
    columns.push_back({name, name});
  }
  return columns;
}

}  // namespace zazorazari::interchange
