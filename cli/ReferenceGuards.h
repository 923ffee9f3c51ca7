// The tool's refusals around references: a reference a person types that
// names no row, and the delete of a catalogue row that rows still refer to
// (the library's deletes themselves do not refuse).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RecordInput.h"
#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli {

// Fails (nothing written) when a typed reference field names no row.
void RefuseMissingReferences(CDatabase& db, const CDataObject& record, const std::vector<Assignment>& typed);

// Fails when the record is a turnpoint, glider, origin or datum that other
// rows still refer to, unless forced.
void RefuseDeleteOfReferenced(CDatabase& db, const std::string& type, int32_t key, bool force);

}  // namespace zazorazari::cli
