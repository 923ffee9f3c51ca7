// Rules for writing and deleting the Turnpoint entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTurnpoint : public CRule {};

}  // namespace zazorazari
