// Rules of report strings, found by text and category.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CReportString : public CRule {
 public:
  // Natural-key write on tblReportString (rstText and rstCategory).
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;  // 0
};

}  // namespace zazorazari
