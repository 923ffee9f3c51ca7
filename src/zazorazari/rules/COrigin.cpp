// Rules of the Origin entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/COrigin.h"

namespace zazorazari {

Variant COrigin::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant COrigin::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
