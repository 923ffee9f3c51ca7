// Rules for writing back a whole TaskTurnpointCollection list of one owner.
#pragma once

#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTaskTurnpointCollection : public CRule {
 public:
  using CRule::Update;
  virtual Variant Update(CDataObjectCollection& dobj);
};

}  // namespace zazorazari
