// Records of one view made from a shared layout.
#include "zazorazari/dataobject/RecordLayout.h"

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

std::vector<Variant> ViewRowValues(engine::Database& db, const std::string& view, int32_t lPk) {
  std::vector<Variant> values;
  if (lPk == 0) return values;
  // As reading a field of the view's empty recordset failed.
  if (!db.ReadRow(view, {{db.QueryDefs(view).front().Name, Variant(lPk)}}, values))
    throw EngineError(errEngineNoCurrentRecord, "Engine.Field");
  return values;
}

RecordLayout::RecordLayout(const std::vector<engine::FieldDef>& columns) {
  CDataObject prototype;
  for (const auto& column : columns) prototype.Add(column.Size, column.Type, false, Variant::Null(), column.Name);
  m_fields.reserve(columns.size());
  for (const auto& field : prototype) m_fields.push_back(*field);
  m_keys = prototype.m_fields.SharedKeys();
}

CDataObjectPtr RecordLayout::NewRecord(const std::string& name, std::vector<Variant>&& values) const {
  // One allocation holds every field; each field's pointer shares it.
  auto block = std::make_shared<std::vector<CField>>(m_fields);
  if (!values.empty()) {
    for (size_t i = 0; i < block->size(); ++i) (*block)[i].SetValue(std::move(values[i]));
  }
  std::vector<CFieldPtr> fields;
  fields.reserve(block->size());
  for (CField& field : *block) fields.emplace_back(block, &field);
  auto record = std::make_shared<CDataObject>();
  record->SetName(name);
  record->m_fields.Assign(std::move(fields), m_keys);
  return record;
}

}  // namespace zazorazari
