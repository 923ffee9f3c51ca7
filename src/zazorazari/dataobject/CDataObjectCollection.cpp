// The records of one parent row: insertion, re-parenting, filling from a
// view through the facade, sorting by one or two field values.
#include "zazorazari/dataobject/CDataObjectCollection.h"

#include <optional>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {

const CDataObject& Member(const CDataObjectPtr& member) {
  if (!member) throw RuntimeError(errObjectNotSet);
  return *member;
}

const Variant& FieldValue(const CDataObjectPtr& member, const std::string& field) {
  return Member(member).Fields(field)->Value();
}

// Where m goes among the already placed members: before the first one it
// sorts before, else at the end. Equal first values (NULL included) fall to
// the second value; an empty, 0 or "" second value goes before.
size_t SortedPosition(const std::vector<CDataObjectPtr>& placed, EnumSort lSortOrder, const std::string& field1,
                      const Variant& m1, const std::optional<std::string>& field2, const Variant& m2) {
  const VariantOrder goOn = lSortOrder == enumSortAscending ? VariantOrder::Greater : VariantOrder::Less;
  const VariantOrder before = lSortOrder == enumSortAscending ? VariantOrder::Less : VariantOrder::Greater;
  for (size_t i = 0; i < placed.size(); ++i) {
    const VariantOrder first = CompareVariants(m1, FieldValue(placed[i], field1));
    if (first == goOn) continue;
    if (first == before) return i;
    if (m2 == Variant()) return i;
    if (CompareVariants(m2, FieldValue(placed[i], *field2)) == before) return i;
  }
  return placed.size();
}

}  // namespace

void CDataObjectCollection::SetSelectorValue(int32_t lSelectorValue) {
  m_lSelectorValue = lSelectorValue;
  if (m_strSelectorField.empty()) return;
  for (const auto& member : m_members.Items()) {
    Member(member).Fields(m_strSelectorField)->SetValue(Variant(lSelectorValue));
  }
}

CDataObjectPtr CDataObjectCollection::Add(CDataObjectPtr& objNewMember, const Variant& vKey,
                                          const Variant& vBefore, const Variant& vAfter) {
  if (!vBefore.IsEmpty() && !vAfter.IsEmpty()) throw RuntimeError(errInvalidProcedureCall);
  std::optional<std::string> key;
  if (!vKey.IsEmpty()) key = CStr(vKey);
  size_t index = m_members.Items().size();
  if (!vBefore.IsEmpty()) index = m_members.IndexOf(vBefore);
  if (!vAfter.IsEmpty()) index = m_members.IndexOf(vAfter) + 1;
  m_members.Insert(index, objNewMember, key);
  CDataObjectPtr added = std::move(objNewMember);
  objNewMember = nullptr;
  return added;
}

void CDataObjectCollection::BuildFromDAOQuery(CDatabase& db, const std::string& strQuery,
                                              const std::string& strKeyField, const std::string& strSelectorField,
                                              int32_t lPkSelector, const Variant& strFilter, const Variant& strOrder) {
  const std::string filter = strFilter.IsEmpty() || strFilter.IsNull() ? std::string() : CStr(strFilter);
  const std::string selector = strSelectorField + "=" + std::to_string(lPkSelector);
  std::string sql = "SELECT * FROM " + strQuery + " WHERE ";
  if (filter.empty()) {
    sql += selector;
  } else if (lPkSelector != 0) {
    sql += selector + " AND " + filter;
  } else {
    sql += filter;
  }
  if (!strOrder.IsEmpty()) sql += " ORDER BY " + CStr(strOrder);

  auto database = db.DatabaseObject();
  if (!database) throw RuntimeError(errObjectNotSet);
  auto rs = database->OpenRecordset(sql, engine::dbOpenSnapshot);
  // Only the keys come from this query; each member is read whole through
  // the facade, which knows its type's fields.
  for (; !rs->IsEOF(); rs->MoveNext()) {
    CDataObjectPtr member = db.GetDataObject(strQuery, CLng(rs->Fields(0).Value()));
    const std::string key = CStr(FieldValue(member, strKeyField));
    Add(member, key);
  }
  m_lSelectorValue = lPkSelector;
  m_strSelectorField = strSelectorField;
  m_strKeyField = strKeyField;
  rs->Close();
}

void CDataObjectCollection::Sort(EnumSort lSortOrder, const std::string& strField1, const Variant& strField2) {
  std::optional<std::string> field2;
  if (!strField2.IsEmpty()) field2 = CStr(strField2);
  // Sorted into a new list that replaces the members only when all are
  // placed, so a failure leaves the collection as it was.
  KeyedList<CDataObject> sorted;
  for (const auto& member : m_members.Items()) {
    const Variant& m1 = FieldValue(member, strField1);
    const Variant m2 = field2 ? FieldValue(member, *field2) : Variant();
    const std::string key = CStr(FieldValue(member, m_strKeyField));
    sorted.Insert(SortedPosition(sorted.Items(), lSortOrder, strField1, m1, field2, m2), member, key);
  }
  m_members = std::move(sorted);
}

CDataObjectCollectionPtr CDataObjectCollection::CloneEmpty() const {
  auto copy = std::make_shared<CDataObjectCollection>();
  copy->SetName(m_strName);
  copy->SetSelectorValue(m_lSelectorValue);
  copy->SetSelectorField(m_strSelectorField);
  copy->SetKeyField(m_strKeyField);
  return copy;
}

}  // namespace zazorazari
