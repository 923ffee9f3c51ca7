// Rules for writing and deleting the PilotAttribute entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CPilotAttribute : public CRule {};

}  // namespace zazorazari
