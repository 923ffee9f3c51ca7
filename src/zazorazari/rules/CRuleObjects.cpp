// Creates every rule object in the facade's fixed order.
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

CRuleObjects::CRuleObjects(CDatabase* owner) : m_owner(owner) {
  Competition();
  Attribute();
  AttributeValue();
  GeoDate();
  Glider();
  ReportString();
  Task();
  Result();
  TaskTurnpoint();
  Origin();
  Turnpoint();
  Pilot();
  PilotAttribute();
  PilotAttributeCollection();
  TaskTurnpointCollection();
}

}  // namespace zazorazari
