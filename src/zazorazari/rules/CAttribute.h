// Rules of pilot attributes (public class). Deleting an attribute removes
// its values and every reference to them, or refuses while a pilot's slot
// holds one of them and the caller did not ask for references to go.
#pragma once

#include "zazorazari/rules/CRule.h"

#pragma GCC visibility push(default)
namespace zazorazari {

class CAttribute : public CRule {
 public:
  // Natural-key write on tblAttribute (attName).
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  // Empty on success; error value 26 when a pilot's slot holds a value of the
  // attribute and bDeleteReferences is false. Reloads the competition object.
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;
};

}  // namespace zazorazari
#pragma GCC visibility pop
