// Rules for writing and deleting the Glider entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CGlider : public CRule {};

}  // namespace zazorazari
