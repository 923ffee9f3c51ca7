// Rules of geodetic datums, found by name. Turnpoint and result rules call
// Update as a find-or-create service.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CGeoDate : public CRule {
 public:
  // Natural-key write on tblGeoDate (gedName); a new datum carries its name only.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;  // 0
};

}  // namespace zazorazari
