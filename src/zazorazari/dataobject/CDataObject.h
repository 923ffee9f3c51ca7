// The generic record: an ordered, keyed list of CFields with a data object
// type name ("doPilot"). Copies, comparisons, its exchange with engine
// recordsets and its text form (one "Name=Value" line per field, CR LF ended).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zazorazari/dataobject/CField.h"
#include "zazorazari/dataobject/KeyedList.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

namespace engine {
class Database;
class Recordset;
}  // namespace engine

class CDataObject;
using CDataObjectPtr = std::shared_ptr<CDataObject>;

class CDataObject {
 public:
  const std::string& Name() const { return m_strName; }
  void SetName(const std::string& name) { m_strName = name; }

  const std::vector<CFieldPtr>& Collection() const { return m_fields.Items(); }
  // A 1-based position or a field name (ignoring case): 9 / 5 when absent.
  CFieldPtr Item(const Variant& vntIndexKey) const;
  CFieldPtr Fields(const Variant& vntIndexKey) const;
  bool HasField(const std::string& strIndex) const;

  CFieldPtr Add(int32_t Size, int32_t DataType, bool Required, const Variant& Value, const std::string& Name);
  void AddField(CFieldPtr objField);
  CDataObjectPtr Clone() const;
  void Refill(const CDataObject& objData);

  void SaveToDAORecordset(engine::Recordset& rs) const;
  void FillFromDAORecordset(engine::Recordset& rs);
  void BuildFromDAOQuery(engine::Database& db, const std::string& strQuery, int32_t lPk);

  void FillFieldsFrom(const CDataObject& dobj);
  bool IsEqual(const CDataObject& dobj) const;
  int32_t Count() const { return m_fields.Count(); }
  void Remove(const Variant& vntIndexKey);

  auto begin() const { return m_fields.Items().begin(); }
  auto end() const { return m_fields.Items().end(); }

  std::string ToString() const;
  void FromString(const std::string& str);

 private:
  friend class RecordLayout;  // fills records that share a key index
  std::string m_strName;
  KeyedList<CField> m_fields;
};

}  // namespace zazorazari
#pragma GCC visibility pop
