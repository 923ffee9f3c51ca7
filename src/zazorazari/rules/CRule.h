// What every rule class shares: the back reference to the facade that owns
// it, and the two operations the facade dispatches to. A rule returns its
// refusals as error values (Variant::Error(code)) and never raises for them;
// engine failures pass through uncaught.
#pragma once

#include <cstdint>

#include "zazorazari/database/Enums.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

class CDatabase;
namespace engine {
class Database;
}

class CRule {
 public:
  virtual ~CRule() = default;

  CDatabase* m_objCDatabase() const { return m_pDatabase; }
  void Setm_objCDatabase(CDatabase* db) { m_pDatabase = db; }

  // Writes dobj; mode 2 modifies, any other value adds. The key written, NULL,
  // or an error value. A class that does not write answers 23.
  virtual Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode);
  // Removes the row lPk and what cascades with it; an error value refuses.
  virtual Variant Delete(int32_t lPk, bool bDeleteReferences);

 protected:
  CDatabase& Facade() const;
  // The facade's open database; fails with 91 while none is open.
  engine::Database& Engine() const;

 private:
  CDatabase* m_pDatabase = nullptr;  // not owned: the facade owns its rules
};

}  // namespace zazorazari
#pragma GCC visibility pop
