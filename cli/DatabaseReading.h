// Reads that no facade operation offers, done through the engine layer: the
// rows of a type's view (for `list`) and the row count of every table.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zazorazari/database/CDatabase.h"

namespace zazorazari::cli {

// Every row of the view that `type` reads, as records shaped like `shape`
// (the type's empty record). `where` and `order` are the engine's criteria
// and order texts, left out when empty.
std::vector<CDataObjectPtr> ReadViewRows(CDatabase& db, const std::string& type, const CDataObject& shape,
                                         const std::string& where, const std::string& order);

// The tables of a database file with their row counts, in file order.
std::vector<std::pair<std::string, int32_t>> CountTableRows(CDatabase& db);

}  // namespace zazorazari::cli
