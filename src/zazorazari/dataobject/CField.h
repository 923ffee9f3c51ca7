// One named, typed value of a record: a column name, its value, and the
// engine's type code and size of the column it came from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

class CField;
using CFieldPtr = std::shared_ptr<CField>;

class CField {
 public:
  const std::string& Name() const { return m_strName; }
  void SetName(const std::string& name) { m_strName = name; }
  const Variant& Value() const { return m_vntValue; }
  void SetValue(const Variant& value) { m_vntValue = value; }
  void SetValue(Variant&& value) { m_vntValue = std::move(value); }
  bool Required() const { return m_bRequired; }
  void SetRequired(bool required) { m_bRequired = required; }
  int32_t DataType() const { return m_lDataType; }
  void SetDataType(int32_t type) { m_lDataType = type; }
  int32_t Size() const { return m_lSize; }
  void SetSize(int32_t size) { m_lSize = size; }

  // A new field with the same DataType, Name, Required, Size and Value.
  CFieldPtr Clone() const;

 private:
  std::string m_strName;
  Variant m_vntValue;
  bool m_bRequired = false;
  int32_t m_lDataType = 0;
  int32_t m_lSize = 0;
};

}  // namespace zazorazari
#pragma GCC visibility pop
