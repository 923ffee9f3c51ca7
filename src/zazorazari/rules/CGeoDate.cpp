// Rules of the GeoDate entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CGeoDate.h"

namespace zazorazari {

Variant CGeoDate::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CGeoDate::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
