// Rules for writing back the whole turnpoint list of one task.
#pragma once

#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTaskTurnpointCollection : public CRule {
 public:
  using CRule::Update;
  // Replaces the task's stored turnpoints by the members, in collection
  // order, each as a new row with a new key. 0.
  virtual Variant Update(CDataObjectCollection& dobj);
};

}  // namespace zazorazari
