// Rules for writing and deleting the Origin entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class COrigin : public CRule {};

}  // namespace zazorazari
