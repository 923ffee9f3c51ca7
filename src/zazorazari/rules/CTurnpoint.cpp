// Rules of the Turnpoint entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CTurnpoint.h"

namespace zazorazari {

Variant CTurnpoint::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CTurnpoint::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
