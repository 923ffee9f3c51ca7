// Rules for writing and deleting the Attribute entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CAttribute : public CRule {};

}  // namespace zazorazari
