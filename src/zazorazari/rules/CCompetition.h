// Rules for writing and deleting the Competition entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CCompetition : public CRule {};

}  // namespace zazorazari
