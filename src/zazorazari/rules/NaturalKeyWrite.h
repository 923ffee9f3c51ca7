// The write shared by the catalogue, attribute and report-string rules: find
// the record's natural key in its table, settle a collision by the caller's
// overwrite mode, then add or edit the row and return its key. Each rule
// class fills a NaturalKeyWrite with its table, criteria and columns.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "zazorazari/database/Enums.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/engine/Criteria.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Database;
class Recordset;
}  // namespace engine

struct NaturalKeyWrite {
  std::string strTable;
  // Natural-key criteria, searched in this order. Once a collision has been
  // settled by deleting the row found, later criteria are not searched. No
  // criterion: the record is new by construction (its parent row was new).
  // Typed: the values are bound, never written into SQL text.
  std::vector<engine::Criteria> criteria;
  // Columns assigned from the record's fields of the same names.
  std::vector<std::string> copiedColumns;
  // Runs when no collision ended the write, before the row is positioned:
  // may refuse with an error value, or find rows the new row refers to.
  // Told whether a collision was settled by deleting the row found.
  std::function<std::optional<Variant>(engine::Recordset& rs, bool bForcedDelete)> beforeWrite;
  // Assignments after the copied columns (keys of referenced rows).
  std::function<void(engine::Recordset& rs)> writeColumns;
};

// The key written, the key found (enumOverwriteReturnPk), error value 3
// (enumOverwriteRaiseError) or the refusal of beforeWrite. mode 2 edits the
// row whose key is the record's first field; any other mode adds a row.
Variant WriteByNaturalKey(engine::Database& db, EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode,
                          const NaturalKeyWrite& how);

// True when the row the recordset stands on is another row than the record's:
// always when adding, when modifying if the keys differ.
bool IsOtherRow(engine::Recordset& rs, EnumUpdate mode, const CDataObject& dobj);

}  // namespace zazorazari
