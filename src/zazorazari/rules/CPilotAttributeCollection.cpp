// Writing back the attribute list of one pilot: his stored rows are replaced
// by the collection's members, each stored as a new row.
#include "zazorazari/rules/CPilotAttributeCollection.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/CRuleObjects.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

int32_t CPilotAttributeCollection::Update(CDataObjectCollection& dcobj) {
  // The selector field comes from the caller: only a column of the table may
  // reach the statement.
  const std::string selector = TableColumn(Engine(), "tblPilotAttribute", dcobj.SelectorField());
  Engine().Execute("DELETE * FROM tblPilotAttribute WHERE " + selector + " = " + std::to_string(dcobj.SelectorValue()));
  CPilotAttribute& rule = FacadeInternals::Rules(Facade()).PilotAttribute();
  for (const CDataObjectPtr& member : dcobj) rule.Update(enumUpdateNew, *member, enumOverwriteForce);
  return 0;
}

}  // namespace zazorazari
