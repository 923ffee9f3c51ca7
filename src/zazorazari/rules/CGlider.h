// Rules of gliders and their manufacturers: a glider is found by name and
// manufacturer, the manufacturer is created with its first glider and removed
// with its last. Pilot rules call Update as a find-or-create service.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CGlider : public CRule {
 public:
  // Natural-key write on tblGlider (gliName and manPk), creating the
  // manufacturer named by manName when it is new.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  // Deletes the glider, and its manufacturer when no other glider has it; 0.
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;
};

}  // namespace zazorazari
