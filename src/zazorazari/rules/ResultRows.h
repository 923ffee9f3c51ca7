// The empty result row a pilot gets for a task, written by the pilot rules
// for a new pilot and by the repair and the catalogue merge where one is
// missing.
#pragma once

#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Recordset;
}

// Adds the row to `results` (a dynaset over tblResult); `task` stands on the
// task's tblTask row.
void AddResultRow(engine::Recordset& results, const Variant& pilotKey, engine::Recordset& task);

}  // namespace zazorazari
