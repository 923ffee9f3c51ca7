// Rules of attribute values. Pilot and pilot attribute rules call Update as a
// find-or-create service (the attribute is created with its first value).
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CAttributeValue : public CRule {
 public:
  // Natural-key write on tblAttributeValue (avaValue and the attribute named
  // by attName), creating the attribute when its name is new.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  // 0; error value 26 when a pilot's slot holds the value and
  // bDeleteReferences is false.
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;
};

}  // namespace zazorazari
