// Rules for writing and deleting the Task entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTask : public CRule {};

}  // namespace zazorazari
