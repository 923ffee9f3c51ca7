// Rules of one pilot's attribute row (tblPilotAttribute): the value is found
// or created by attribute name and value text.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CPilotAttribute : public CRule {
 public:
  // Returns the key of the attribute value the row refers to (not patPk);
  // the overwrite mode is not consulted.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;  // 0
};

}  // namespace zazorazari
