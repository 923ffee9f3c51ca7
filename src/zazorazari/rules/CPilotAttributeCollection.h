// Rules for writing back the attribute list of one pilot: the stored rows of
// the collection's selector are replaced by its members.
#pragma once

#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CPilotAttributeCollection : public CRule {
 public:
  using CRule::Update;
  // Deletes the selector's rows and stores every member as a new row; 0.
  virtual int32_t Update(CDataObjectCollection& dcobj);
};

}  // namespace zazorazari
