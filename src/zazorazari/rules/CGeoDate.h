// Rules for writing and deleting the GeoDate entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CGeoDate : public CRule {};

}  // namespace zazorazari
