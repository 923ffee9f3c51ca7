// Rules of the Glider entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CGlider.h"

namespace zazorazari {

Variant CGlider::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CGlider::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
