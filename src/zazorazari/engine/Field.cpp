// Field access through the owning recordset's current row or edit buffer.
#include "zazorazari/engine/Field.h"

#include "zazorazari/engine/RecordsetImpl.h"

namespace zazorazari::engine {

const std::string& Field::Name() const { return m_owner->m_impl->object->fields[m_index].Name; }

int32_t Field::Type() const { return m_owner->m_impl->object->fields[m_index].Type; }

int32_t Field::Size() const { return m_owner->m_impl->object->fields[m_index].Size; }

Variant Field::Value() const { return m_owner->m_impl->Value(m_index); }

void Field::SetValue(const Variant& value) { m_owner->m_impl->SetValue(m_index, value); }

}  // namespace zazorazari::engine
