// Names a person types for rows a record refers to (a nation code, a
// turnpoint's name) become the keys the write stores, or are refused: the
// record rules pass over a name they cannot resolve without a word.
#pragma once

#include <string>
#include <vector>

#include "RecordInput.h"
#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli {

// For each name among `given` whose key is not also given: sets the key
// (NULL for an empty name) or refuses, naming the field, the value and
// `file`.
void ResolveNames(CDatabase& db, CDataObject& record, const std::vector<Assignment>& given, const std::string& file);

// Refuses a task key `file` does not hold (the library would write an
// empty export or say only "No current record.").
void RequireTask(CDatabase& db, int32_t task, const std::string& file);

}  // namespace zazorazari::cli
