// Rules for writing and deleting the Pilot entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CPilot : public CRule {};

}  // namespace zazorazari
