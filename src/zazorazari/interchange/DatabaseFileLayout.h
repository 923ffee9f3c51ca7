// The tables of the database file (root "ZOLT") and, for each, the columns
// written as attributes, in file order, with their value form and whether
// the attribute is left out for NULL.
#pragma once

#include <cstdint>
#include <vector>

#include "zazorazari/interchange/XmlValueText.h"

namespace zazorazari::interchange {

struct ExportColumn {
  const char* name;
  ValueForm form;
  bool omitWhenNull;
};

struct ExportTable {
  const char* name;
  int16_t exportPercent;  // progress after the table's rows are written; 0: none
  std::vector<ExportColumn> columns;
};

// The eighteen tables in file order.
const std::vector<ExportTable>& DatabaseFileTables();

// The columns of one table (nullptr for a table the file does not have).
const ExportTable* FindDatabaseFileTable(const char* table);

}  // namespace zazorazari::interchange
