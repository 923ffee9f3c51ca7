// The list form of the record model: the records of one parent row (the
// turnpoints of a task, the attributes of a pilot) with the field naming the
// parent (SelectorField), the parent's key (SelectorValue) and the field that
// identifies a member (KeyField).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/dataobject/KeyedList.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

class CDatabase;

enum EnumSort : int32_t { enumSortAscending = 1, enumSortDescending = 2 };

class CDataObjectCollection;
using CDataObjectCollectionPtr = std::shared_ptr<CDataObjectCollection>;

class CDataObjectCollection {
 public:
  const std::string& Name() const { return m_strName; }
  void SetName(const std::string& name) { m_strName = name; }
  int32_t SelectorValue() const { return m_lSelectorValue; }
  // Stores the key and, with a SelectorField, writes it into every member.
  void SetSelectorValue(int32_t lSelectorValue);
  const std::string& SelectorField() const { return m_strSelectorField; }
  void SetSelectorField(const std::string& field) { m_strSelectorField = field; }
  const std::string& KeyField() const { return m_strKeyField; }
  void SetKeyField(const std::string& field) { m_strKeyField = field; }

  // Inserts before/after the member named by position or key (not both: 5),
  // else at the end; sets the caller's pointer to nullptr.
  CDataObjectPtr Add(CDataObjectPtr& objNewMember, const Variant& vKey = {}, const Variant& vBefore = {},
                     const Variant& vAfter = {});
  CDataObjectPtr Item(const Variant& vntIndexKey) const { return m_members.Item(vntIndexKey); }
  int32_t Count() const { return m_members.Count(); }
  void Remove(const Variant& vntIndexKey) { m_members.Remove(vntIndexKey); }
  auto begin() const { return m_members.Items().begin(); }
  auto end() const { return m_members.Items().end(); }

  void BuildFromDAOQuery(CDatabase& db, const std::string& strQuery, const std::string& strKeyField,
                         const std::string& strSelectorField, int32_t lPkSelector, const Variant& strFilter = {},
                         const Variant& strOrder = {});
  void Sort(EnumSort lSortOrder, const std::string& strField1, const Variant& strField2 = {});
  CDataObjectCollectionPtr CloneEmpty() const;

 private:
  std::string m_strName;
  KeyedList<CDataObject> m_members;
  int32_t m_lSelectorValue = 0;
  std::string m_strSelectorField;
  std::string m_strKeyField;
};

}  // namespace zazorazari
#pragma GCC visibility pop
