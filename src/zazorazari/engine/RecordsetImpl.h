// The state behind a Recordset: its connection, source, cursor, current-row
// flags and the edit buffer between AddNew/Edit and Update.
#pragma once

#include <memory>
#include <vector>

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/engine/RowCursor.h"
#include "zazorazari/engine/RowWriter.h"

namespace zazorazari::engine {

enum class EditMode { None, Edit, AddNew };

struct Recordset::Impl {
  std::shared_ptr<Connection> connection;  // keeps the handle alive
  const SchemaObject* object = nullptr;
  int32_t type = dbOpenDynaset;
  bool updatable = false;
  std::unique_ptr<RowCursor> cursor;
  RowWriter writer;

  bool closed = false;
  bool hasCurrent = false;
  bool eof = true;
  bool noMatch = false;

  EditMode mode = EditMode::None;
  std::vector<Variant> buffer;
  std::vector<bool> changed;

  bool hasLastModified = false;
  int64_t lastModified = 0;

  // 3420 when the recordset or its database was closed.
  void CheckUsable(const char* source) const;
  void CancelEdit() { mode = EditMode::None; }
  // After a search: on the row found, or without a current row.
  void Found(bool found) {
    noMatch = !found;
    hasCurrent = found;
    if (found) eof = false;
  }
  const Variant& Value(int32_t index) const;
  void SetValue(int32_t index, const Variant& value);
};

}  // namespace zazorazari::engine
