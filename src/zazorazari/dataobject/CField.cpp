// Copying of a single record field.
#include "zazorazari/dataobject/CField.h"

namespace zazorazari {

CFieldPtr CField::Clone() const { return std::make_shared<CField>(*this); }

}  // namespace zazorazari
