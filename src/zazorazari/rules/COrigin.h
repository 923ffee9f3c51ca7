// Rules of origins (a nation with an optional region). Pilot and turnpoint
// rules call Update as a find-or-create service.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class COrigin : public CRule {
 public:
  // Natural-key write on tblOrigin: natPk with oriRegion, then natPk with
  // oriRegionShort. A natCode3 without natPk is resolved through tblNation;
  // NULL (nothing written) when no nation has that code.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;  // 0
};

}  // namespace zazorazari
