// Rules for writing and deleting the TaskTurnpoint entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTaskTurnpoint : public CRule {};

}  // namespace zazorazari
