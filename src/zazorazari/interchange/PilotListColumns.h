// The columns of a registration list: the pilot fields a person fills in,
// the attribute values under the competition's attribute names. The export
// writes them and the import reads them, so a list goes out and comes back.
#pragma once

#include <string>
#include <vector>

#include "zazorazari/dataobject/CDataObject.h"

namespace zazorazari::interchange {

struct PilotListColumn {
  std::string header;  // the field name, or the attribute's name
  std::string field;   // the "doPilot" field it fills
};

// In the record's field order; `blankPilot` is a new "doPilot" record, which
// carries the competition's attribute names. Keys, the attribute names
// themselves and the competition results are no list columns.
std::vector<PilotListColumn> PilotListColumns(const CDataObject& blankPilot);

}  // namespace zazorazari::interchange
