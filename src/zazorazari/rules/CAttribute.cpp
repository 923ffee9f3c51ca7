// Rules of the Attribute entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CAttribute.h"

namespace zazorazari {

Variant CAttribute::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CAttribute::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
