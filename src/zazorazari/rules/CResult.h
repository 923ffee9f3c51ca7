// Rules for writing and deleting the Result entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CResult : public CRule {};

}  // namespace zazorazari
