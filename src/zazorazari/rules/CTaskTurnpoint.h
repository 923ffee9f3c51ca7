// Rules for writing and deleting one turnpoint of a task.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTaskTurnpoint : public CRule {
 public:
  // The row's key. A new row always gets a key of the engine's: the
  // record's own ttpPk is cleared first.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;
};

}  // namespace zazorazari
