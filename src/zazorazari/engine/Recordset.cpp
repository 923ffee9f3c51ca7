// Recordset navigation, search and row changes over a RowCursor.
#include "zazorazari/engine/Recordset.h"

#include <strings.h>

#include "zazorazari/engine/CriteriaSql.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/FieldConversion.h"
#include "zazorazari/engine/RecordsetImpl.h"
#include "zazorazari/engine/RowWriter.h"
#include "zazorazari/engine/ValueBinding.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

void Recordset::Impl::CheckUsable(const char* source) const {
  if (closed) throw ObjectClosedError(source);
  connection->CheckOpen(source);
}

const Variant& Recordset::Impl::Value(int32_t index) const {
  CheckUsable(kFieldSource);
  if (mode != EditMode::None) return buffer[index];
  if (!hasCurrent) throw EngineError(errEngineNoCurrentRecord, kFieldSource);
  return cursor->Row()[index];
}

void Recordset::Impl::SetValue(int32_t index, const Variant& value) {
  CheckUsable(kFieldSource);
  if (!updatable) throw EngineError(errEngineReadOnly, kFieldSource);
  if (mode == EditMode::None) throw EngineError(errEngineUpdateWithoutEdit, kFieldSource);
  buffer[index] = ConvertForColumn(value, object->fields[index], index == object->keyColumn);
  changed[index] = true;
}

Recordset::Recordset(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {
  const int32_t count = static_cast<int32_t>(m_impl->object->fields.size());
  m_fields.reserve(count);
  for (int32_t i = 0; i < count; ++i) m_fields.push_back(Field(this, i));
}

Recordset::~Recordset() = default;

bool Recordset::IsEOF() const {
  m_impl->CheckUsable(kRecordsetSource);
  return m_impl->eof;
}

void Recordset::MoveFirst() {
  m_impl->CheckUsable(kRecordsetSource);
  m_impl->CancelEdit();
  m_impl->hasCurrent = m_impl->cursor->MoveFirst();
  m_impl->eof = !m_impl->hasCurrent;
}

void Recordset::MoveNext() {
  m_impl->CheckUsable(kRecordsetSource);
  if (m_impl->eof) throw EngineError(errEngineNoCurrentRecord, kRecordsetSource);
  m_impl->CancelEdit();
  m_impl->hasCurrent = m_impl->cursor->MoveNext();
  m_impl->eof = !m_impl->hasCurrent;
}

void Recordset::MoveLast() {
  m_impl->CheckUsable(kRecordsetSource);
  m_impl->CancelEdit();
  m_impl->hasCurrent = m_impl->cursor->MoveLast();
  m_impl->eof = !m_impl->hasCurrent;
}

int32_t Recordset::RecordCount() const {
  m_impl->CheckUsable(kRecordsetSource);
  if (m_impl->type != dbOpenTable) return m_impl->cursor->RowsReached();
  Connection& connection = *m_impl->connection;
  Statement stmt = connection.Prepare("SELECT count(*) FROM " + QuoteName(m_impl->object->name), kRecordsetSource,
                                      m_impl->object->name);
  stmt.Step();
  return static_cast<int32_t>(stmt.Int64(0));
}

void Recordset::FindFirst(const std::string& criteria) {
  m_impl->CheckUsable(kRecordsetSource);
  m_impl->CancelEdit();
  m_impl->Found(m_impl->cursor->FindFirst(TranslateCriteria(criteria, kRecordsetSource), criteria));
}

void Recordset::FindFirst(const Criteria& criteria) {
  m_impl->CheckUsable(kRecordsetSource);
  m_impl->CancelEdit();
  m_impl->Found(m_impl->cursor->FindFirst(CriteriaSql(*m_impl->object, criteria, kRecordsetSource), m_impl->object->name));
}

bool Recordset::NoMatch() const {
  m_impl->CheckUsable(kRecordsetSource);
  return m_impl->noMatch;
}

void Recordset::AddNew() {
  m_impl->CheckUsable(kRecordsetSource);
  if (!m_impl->updatable) throw EngineError(errEngineReadOnly, kRecordsetSource);
  const size_t count = m_impl->object->fields.size();
  m_impl->buffer.assign(count, Variant::Null());
  m_impl->changed.assign(count, false);
  m_impl->mode = EditMode::AddNew;
}

void Recordset::Edit() {
  m_impl->CheckUsable(kRecordsetSource);
  if (!m_impl->updatable) throw EngineError(errEngineReadOnly, kRecordsetSource);
  if (!m_impl->hasCurrent) throw EngineError(errEngineNoCurrentRecord, kRecordsetSource);
  m_impl->buffer = m_impl->cursor->Row();
  m_impl->changed.assign(m_impl->buffer.size(), false);
  m_impl->mode = EditMode::Edit;
}

void Recordset::Update() {
  Impl& impl = *m_impl;
  impl.CheckUsable(kRecordsetSource);
  if (impl.mode == EditMode::None) throw EngineError(errEngineUpdateWithoutEdit, kRecordsetSource);
  Connection& connection = *impl.connection;
  if (impl.mode == EditMode::AddNew) {
    // The current row stays; the new row is reached through LastModified.
    const int64_t rowid = impl.writer.Insert(connection, *impl.object, impl.buffer, impl.changed);
    impl.cursor->Appended(rowid);
    impl.lastModified = rowid;
  } else {
    const int64_t rowid = impl.cursor->Bookmark();
    // A column assigned the value it holds is left out: writing it would
    // still rewrite every index entry on the column. The row is read afresh
    // first, so what is left out is what the file holds now.
    impl.cursor->Reload();
    const std::vector<Variant>& stored = impl.cursor->Row();
    for (size_t i = 0; i < impl.changed.size(); ++i)
      if (impl.changed[i] && SameValue(impl.buffer[i], stored[i])) impl.changed[i] = false;
    impl.writer.Update(connection, *impl.object, impl.buffer, impl.changed, rowid);
    impl.cursor->Reload();
    impl.lastModified = rowid;
  }
  impl.hasLastModified = true;
  impl.mode = EditMode::None;
}

void Recordset::Delete() {
  Impl& impl = *m_impl;
  impl.CheckUsable(kRecordsetSource);
  if (!impl.updatable) throw EngineError(errEngineReadOnly, kRecordsetSource);
  if (!impl.hasCurrent) throw EngineError(errEngineNoCurrentRecord, kRecordsetSource);
  impl.CancelEdit();
  DeleteRow(*impl.connection, *impl.object, impl.cursor->Bookmark());
  impl.cursor->Forget();
  impl.hasCurrent = false;
}

Field& Recordset::Fields(const std::string& name) {
  if (Field* field = FindField(name)) return *field;
  throw EngineError(errEngineItemNotFound, kRecordsetSource);
}

Field* Recordset::FindField(const std::string& name) {
  m_impl->CheckUsable(kRecordsetSource);
  const std::vector<FieldDef>& fields = m_impl->object->fields;
  // Names of other lengths never match: most are passed over unread.
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].Name.size() == name.size() && strcasecmp(fields[i].Name.c_str(), name.c_str()) == 0)
      return &m_fields[i];
  return nullptr;
}

Field& Recordset::Fields(int32_t index) {
  m_impl->CheckUsable(kRecordsetSource);
  if (index < 0 || index >= FieldCount()) throw EngineError(errEngineItemNotFound, kRecordsetSource);
  return m_fields[index];
}

int32_t Recordset::FieldCount() const { return static_cast<int32_t>(m_fields.size()); }

const std::vector<FieldDef>& Recordset::FieldDefs() const { return m_impl->object->fields; }

int64_t Recordset::Bookmark() const {
  m_impl->CheckUsable(kRecordsetSource);
  if (!m_impl->hasCurrent) throw EngineError(errEngineNoCurrentRecord, kRecordsetSource);
  return m_impl->cursor->Bookmark();
}

void Recordset::SetBookmark(int64_t bookmark) {
  m_impl->CheckUsable(kRecordsetSource);
  m_impl->CancelEdit();
  if (!m_impl->cursor->MoveTo(bookmark)) throw EngineError(errEngineNoCurrentRecord, kRecordsetSource);
  m_impl->hasCurrent = true;
  m_impl->eof = false;
}

int64_t Recordset::LastModified() const {
  m_impl->CheckUsable(kRecordsetSource);
  if (!m_impl->hasLastModified) throw EngineError(errEngineNoCurrentRecord, kRecordsetSource);
  return m_impl->lastModified;
}

void Recordset::Close() {
  m_impl->CancelEdit();
  m_impl->cursor.reset();  // gives back a statement still running
  m_impl->closed = true;
}

}  // namespace zazorazari::engine
