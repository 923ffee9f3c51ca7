// A DAO-style recordset over a table, a view or a SELECT: navigation, search,
// and row changes through AddNew/Edit, field assignments and Update.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zazorazari/engine/Criteria.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/FieldDef.h"

#pragma GCC visibility push(default)
namespace zazorazari::engine {

enum RecordsetTypeEnum : int32_t { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4 };

class Database;

class Recordset {
 public:
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  bool IsEOF() const;
  void MoveFirst();
  void MoveNext();
  void MoveLast();
  // Table-type: the row count; otherwise the rows visited so far.
  int32_t RecordCount() const;

  // Leaves the recordset on the first row (in its order) matching the
  // criteria, or without a current row and NoMatch() true.
  void FindFirst(const std::string& criteria);
  // The same for typed criteria: no text to translate (3265 for a column
  // the recordset lacks).
  void FindFirst(const Criteria& criteria);
  bool NoMatch() const;

  void AddNew();
  void Edit();
  void Update();
  void Delete();

  Field& Fields(const std::string& name);  // 3265 for an unknown name
  Field* FindField(const std::string& name);  // nullptr for an unknown name
  Field& Fields(int32_t index);            // 0-based; 3265 out of range
  int32_t FieldCount() const;
  const std::vector<FieldDef>& FieldDefs() const;

  int64_t Bookmark() const;
  void SetBookmark(int64_t bookmark);
  int64_t LastModified() const;  // the row of the last Update

  void Close();

  struct Impl;

 private:
  friend class Database;
  friend class Field;
  explicit Recordset(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> m_impl;
  std::vector<Field> m_fields;
};

}  // namespace zazorazari::engine
#pragma GCC visibility pop
