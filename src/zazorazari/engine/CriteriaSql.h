// The SQL of typed criteria: the columns' quoted names, the values bound.
#pragma once

#include "zazorazari/engine/Criteria.h"
#include "zazorazari/engine/SchemaCatalog.h"
#include "zazorazari/engine/SqlText.h"

namespace zazorazari::engine {

// `"column" = ?` (`IS NULL` for a Null value) for each criterion, joined by
// AND ("1" for none); 3265 with `source` for a column that `object` lacks.
SqlText CriteriaSql(const SchemaObject& object, const Criteria& criteria, const char* source);

}  // namespace zazorazari::engine
