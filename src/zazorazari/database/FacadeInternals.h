// The facade's rule objects and its modified flag, which only the component's own parts use (the
// rules call each other through them). Not installed: hosts never see it.
#pragma once

#include "zazorazari/database/CDatabase.h"

namespace zazorazari {

class CRuleObjects;

class FacadeInternals {
 public:
  static CRuleObjects& Rules(CDatabase& db) { return db.RuleObjects(); }
  static void SetModified(CDatabase& db) { db.SetModified(); }
};

}  // namespace zazorazari
