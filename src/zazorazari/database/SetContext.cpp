// Preparing a record read from another database file for being added here.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

int32_t CDatabase::SetContext(CDataObject& dobj, CDatabase& objAnotherDatabase) {
  // Only pilots carry anything that depends on this file: the values of
  // this competition's attributes, matched by name in the other file.
  if (dobj.Name() != "doPilot") return enumErrorUndefinedDataObject;
  return InTransaction(objAnotherDatabase, false,
                       [&] { return m_objRules->Competition().LoadPilotAttributeValue(dobj, objAnotherDatabase); });
}

}  // namespace zazorazari
