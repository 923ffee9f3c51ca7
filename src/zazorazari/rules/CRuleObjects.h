// The facade's rule objects, one per rule class, created together in a fixed
// order with their back reference to the facade; rules reach each other here.
#pragma once

#include <memory>

#include "zazorazari/database/CDatabaseForward.h"
#include "zazorazari/rules/CAttribute.h"
#include "zazorazari/rules/CAttributeValue.h"
#include "zazorazari/rules/CCompetition.h"
#include "zazorazari/rules/CGeoDate.h"
#include "zazorazari/rules/CGlider.h"
#include "zazorazari/rules/COrigin.h"
#include "zazorazari/rules/CPilot.h"
#include "zazorazari/rules/CPilotAttribute.h"
#include "zazorazari/rules/CPilotAttributeCollection.h"
#include "zazorazari/rules/CReportString.h"
#include "zazorazari/rules/CResult.h"
#include "zazorazari/rules/CTask.h"
#include "zazorazari/rules/CTaskTurnpoint.h"
#include "zazorazari/rules/CTaskTurnpointCollection.h"
#include "zazorazari/rules/CTurnpoint.h"

namespace zazorazari {

class CRuleObjects {
 public:
  explicit CRuleObjects(CDatabase* owner);

  CCompetition& Competition() { return Get(m_competition); }
  CAttribute& Attribute() { return Get(m_attribute); }
  CAttributeValue& AttributeValue() { return Get(m_attributeValue); }
  CGeoDate& GeoDate() { return Get(m_geoDate); }
  CGlider& Glider() { return Get(m_glider); }
  CReportString& ReportString() { return Get(m_reportString); }
  CTask& Task() { return Get(m_task); }
  CResult& Result() { return Get(m_result); }
  CTaskTurnpoint& TaskTurnpoint() { return Get(m_taskTurnpoint); }
  COrigin& Origin() { return Get(m_origin); }
  CTurnpoint& Turnpoint() { return Get(m_turnpoint); }
  CPilot& Pilot() { return Get(m_pilot); }
  CPilotAttribute& PilotAttribute() { return Get(m_pilotAttribute); }
  CPilotAttributeCollection& PilotAttributeCollection() { return Get(m_pilotAttributeCollection); }
  CTaskTurnpointCollection& TaskTurnpointCollection() { return Get(m_taskTurnpointCollection); }

 private:
  // Creates a missing rule object again, with its back reference.
  template <class T>
  T& Get(std::unique_ptr<T>& slot) {
    if (!slot) {
      slot = std::make_unique<T>();
      slot->Setm_objCDatabase(m_owner);
    }
    return *slot;
  }

  CDatabase* m_owner;
  std::unique_ptr<CCompetition> m_competition;
  std::unique_ptr<CAttribute> m_attribute;
  std::unique_ptr<CAttributeValue> m_attributeValue;
  std::unique_ptr<CGeoDate> m_geoDate;
  std::unique_ptr<CGlider> m_glider;
  std::unique_ptr<CReportString> m_reportString;
  std::unique_ptr<CTask> m_task;
  std::unique_ptr<CResult> m_result;
  std::unique_ptr<CTaskTurnpoint> m_taskTurnpoint;
  std::unique_ptr<COrigin> m_origin;
  std::unique_ptr<CTurnpoint> m_turnpoint;
  std::unique_ptr<CPilot> m_pilot;
  std::unique_ptr<CPilotAttribute> m_pilotAttribute;
  std::unique_ptr<CPilotAttributeCollection> m_pilotAttributeCollection;
  std::unique_ptr<CTaskTurnpointCollection> m_taskTurnpointCollection;
};

}  // namespace zazorazari
