// Rules for writing and deleting the AttributeValue entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CAttributeValue : public CRule {};

}  // namespace zazorazari
