// Which rule object writes each data object type, with the mode an add
// passes and whether the type may be deleted.
#pragma once

#include <optional>
#include <string>

#include "zazorazari/database/Enums.h"

namespace zazorazari {

class CRule;
class CRuleObjects;

struct RuleDispatch {
  CRule* rule;
  EnumUpdate addMode;  // the competition and results always exist: adding modifies
  bool deletable;
};

std::optional<RuleDispatch> FindRuleDispatch(CRuleObjects& rules, const std::string& strType);

}  // namespace zazorazari
