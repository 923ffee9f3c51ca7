// The four attribute value slots of tblPilot (avaPk1 to avaPk4) as references
// that block or follow the deletion of an attribute value. Indexed queries
// stand in for a walk over every pilot.
#pragma once

#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Database;
}

// True when some pilot holds the value avaPk in one of his slots.
bool AnyPilotSlotHolds(engine::Database& db, const Variant& avaPk);

// Empties every pilot slot that holds the value avaPk.
void ClearPilotSlots(engine::Database& db, const Variant& avaPk);

}  // namespace zazorazari
