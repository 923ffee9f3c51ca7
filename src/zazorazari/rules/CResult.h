// Rules for changing the result of one pilot in one task. Result rows come
// and go with their pilot or task, so a result is only ever modified.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CResult : public CRule {
 public:
  // The result key; 23 for an add, 22 when the pilot has no row for the
  // task. The landing position's datum is found or created by name.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
};

}  // namespace zazorazari
