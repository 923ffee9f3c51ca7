// The generic record: field list access, copies and comparison, the exchange
// with engine recordsets and views, and the Name=Value text form.
#include "zazorazari/dataobject/CDataObject.h"

#include "zazorazari/dataobject/RecordLayout.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {
const std::string kLineEnd = "\r\n";
}  // namespace

CFieldPtr CDataObject::Item(const Variant& vntIndexKey) const { return m_fields.Item(vntIndexKey); }

CFieldPtr CDataObject::Fields(const Variant& vntIndexKey) const { return m_fields.Item(vntIndexKey); }

bool CDataObject::HasField(const std::string& strIndex) const { return m_fields.HasKey(strIndex); }

CFieldPtr CDataObject::Add(int32_t Size, int32_t DataType, bool Required, const Variant& Value,
                           const std::string& Name) {
  auto field = std::make_shared<CField>();
  field->SetSize(Size);
  field->SetDataType(DataType);
  field->SetRequired(Required);
  field->SetValue(Value);
  field->SetName(Name);
  m_fields.Insert(m_fields.Items().size(), field, Name);
  return field;
}

void CDataObject::AddField(CFieldPtr objField) {
  if (!objField) throw RuntimeError(errObjectNotSet);
  const std::string key = objField->Name();
  m_fields.Insert(m_fields.Items().size(), std::move(objField), key);
}

CDataObjectPtr CDataObject::Clone() const {
  auto copy = std::make_shared<CDataObject>();
  for (const auto& field : m_fields.Items()) copy->AddField(field->Clone());
  return copy;
}

void CDataObject::Refill(const CDataObject& objData) {
  // Built aside and swapped in, so that refilling from itself keeps the
  // fields and a failure leaves the list as it was.
  KeyedList<CField> fields;
  for (const auto& field : objData.Collection()) fields.Insert(fields.Items().size(), field, field->Name());
  m_fields = std::move(fields);
}

void CDataObject::SaveToDAORecordset(engine::Recordset& rs) const {
  const auto& fields = m_fields.Items();
  // The first field is the key, which the engine assigns and never changes.
  for (size_t i = 1; i < fields.size(); ++i) {
    // A column the recordset lacks or a value it refuses is left out; the
    // lookup throws nothing for a missing column, as most records carry
    // fields of joined rows that their table lacks.
    try {
      if (engine::Field* column = rs.FindField(fields[i]->Name())) column->SetValue(fields[i]->Value());
    } catch (const Error&) {
    }
  }
}

void CDataObject::FillFromDAORecordset(engine::Recordset& rs) {
  for (const auto& field : m_fields.Items()) {
    try {
      field->SetValue(rs.Fields(field->Name()).Value());
    } catch (const Error&) {
      // A column the recordset lacks keeps the field's value.
    }
  }
}

void CDataObject::BuildFromDAOQuery(engine::Database& db, const std::string& strQuery, int32_t lPk) {
  const auto& columns = db.QueryDefs(strQuery);
  const std::vector<Variant> values = ViewRowValues(db, strQuery, lPk);
  for (size_t i = 0; i < columns.size(); ++i) {
    Add(columns[i].Size, columns[i].Type, false, values.empty() ? Variant::Null() : values[i], columns[i].Name);
  }
}

void CDataObject::FillFieldsFrom(const CDataObject& dobj) {
  for (const auto& field : m_fields.Items()) {
    try {
      if (dobj.HasField(field->Name())) field->SetValue(dobj.Fields(field->Name())->Value());
    } catch (const Error&) {
      // One field that cannot be copied does not stop the others.
    }
  }
}

bool CDataObject::IsEqual(const CDataObject& dobj) const {
  for (const auto& field : m_fields.Items()) {
    try {
      if (!dobj.HasField(field->Name())) return false;
      const Variant& mine = field->Value();
      const Variant& theirs = dobj.Fields(field->Name())->Value();
      if (mine.IsNull() != theirs.IsNull()) return false;
      if (mine.IsNull()) continue;
      if (CompareVariants(mine, theirs) != VariantOrder::Equal) return false;
    } catch (const Error&) {
      return false;  // values that cannot be compared count as different
    }
  }
  return true;
}

void CDataObject::Remove(const Variant& vntIndexKey) { m_fields.Remove(vntIndexKey); }

std::string CDataObject::ToString() const {
  std::string text;
  for (const auto& field : m_fields.Items()) {
    text += field->Name();
    text += '=';
    if (!field->Value().IsNull()) text += CStr(field->Value());
    text += kLineEnd;
  }
  return text;
}

void CDataObject::FromString(const std::string& str) {
  for (const auto& field : m_fields.Items()) {
    // The first occurrence anywhere wins, also inside a longer name
    // (searching "Pk=" finds "tasPk="): the form has always been read so.
    const size_t found = str.find(field->Name() + "=");
    if (found == std::string::npos) continue;
    const size_t start = found + field->Name().size() + 1;
    const size_t stop = str.find(kLineEnd, start);
    if (stop == std::string::npos) throw RuntimeError(errInvalidProcedureCall);
    field->SetValue(TextToFieldValue(str.substr(start, stop - start), field->DataType()));
  }
}

}  // namespace zazorazari
