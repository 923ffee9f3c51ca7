// Defaults shared by every rule class.
#include "zazorazari/rules/CRule.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

Variant CRule::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CRule::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

CDatabase& CRule::Facade() const {
  if (m_pDatabase == nullptr) throw RuntimeError(errObjectNotSet);
  return *m_pDatabase;
}

engine::Database& CRule::Engine() const {
  auto db = Facade().DatabaseObject();
  if (!db) throw RuntimeError(errObjectNotSet);
  return *db;
}

}  // namespace zazorazari
