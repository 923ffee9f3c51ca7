// A task's turnpoint list is stored by deleting the old rows and adding the
// members again, so their order in the list becomes the stored order.
#include "zazorazari/rules/CTaskTurnpointCollection.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/CRuleObjects.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CTaskTurnpointCollection::Update(CDataObjectCollection& dobj) {
  const std::string selector = TableColumn(Engine(), "tblTaskTurnpoint", dobj.SelectorField());
  Engine().Execute("DELETE * FROM tblTaskTurnpoint WHERE " + SqlEqualNumber(selector, dobj.SelectorValue()));
  CTaskTurnpoint& member = FacadeInternals::Rules(Facade()).TaskTurnpoint();
  for (const CDataObjectPtr& turnpoint : dobj) member.Update(enumUpdateNew, *turnpoint, enumOverwriteForce);
  return Variant(int32_t{0});
}

}  // namespace zazorazari
