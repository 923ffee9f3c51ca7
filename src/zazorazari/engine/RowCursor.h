// How a recordset walks its rows. Tables are walked by key (KeysetCursor),
// views by stepping their own query (ViewCursor). Each move returns whether
// it landed on a row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

class Connection;
struct SchemaObject;

// What a recordset reads: a table or view, its criteria and its order.
struct RecordSource {
  const SchemaObject* object = nullptr;
  SqlText where;
  std::vector<OrderTerm> order;
  std::string text;  // as the caller gave it, for error messages
};

class RowCursor {
 public:
  virtual ~RowCursor() = default;

  virtual bool MoveFirst() = 0;
  virtual bool MoveNext() = 0;
  virtual bool MoveLast() = 0;
  // The first row in the cursor's order that also meets `criteria`; from it
  // the walk goes on. `text` names a failure.
  virtual bool FindFirst(const SqlText& criteria, const std::string& text) = 0;
  virtual bool MoveTo(int64_t bookmark) = 0;
  virtual int64_t Bookmark() = 0;

  // The current row's values, typed by the source's columns.
  virtual const std::vector<Variant>& Row() const = 0;
  // Rows reached so far (all of them after MoveLast).
  virtual int32_t RowsReached() const = 0;

  // The current row changed through the recordset: read it again.
  virtual void Reload() {}
  // The current row was deleted through the recordset.
  virtual void Forget() {}
  // A row added through the recordset; it comes at the end of the walk.
  virtual void Appended(int64_t /*rowid*/) {}
};

}  // namespace zazorazari::engine
