// The dispatch table from data object type names to rule objects.
#include "zazorazari/database/RuleDispatch.h"

#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

std::optional<RuleDispatch> FindRuleDispatch(CRuleObjects& rules, const std::string& strType) {
  if (strType == "doCompetition" || strType == "doCatalog") return RuleDispatch{&rules.Competition(), enumUpdateModify, false};
  if (strType == "doReportString") return RuleDispatch{&rules.ReportString(), enumUpdateNew, true};
  if (strType == "doPilot") return RuleDispatch{&rules.Pilot(), enumUpdateNew, true};
  if (strType == "doGlider") return RuleDispatch{&rules.Glider(), enumUpdateNew, true};
  if (strType == "doTurnpoint") return RuleDispatch{&rules.Turnpoint(), enumUpdateNew, true};
  if (strType == "doTaskTurnpoint") return RuleDispatch{&rules.TaskTurnpoint(), enumUpdateNew, true};
  if (strType == "doTask") return RuleDispatch{&rules.Task(), enumUpdateNew, true};
  if (strType == "doGeoDate") return RuleDispatch{&rules.GeoDate(), enumUpdateNew, true};
  if (strType == "doOrigin") return RuleDispatch{&rules.Origin(), enumUpdateNew, true};
  if (strType == "doAttribute") return RuleDispatch{&rules.Attribute(), enumUpdateNew, true};
  if (strType == "doAttributeValue") return RuleDispatch{&rules.AttributeValue(), enumUpdateNew, true};
  if (strType == "doPilotAttribute") return RuleDispatch{&rules.PilotAttribute(), enumUpdateNew, true};
  if (strType == "doResult") return RuleDispatch{&rules.Result(), enumUpdateModify, false};
  return std::nullopt;
}

}  // namespace zazorazari
