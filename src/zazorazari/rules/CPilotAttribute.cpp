// Rules of the PilotAttribute entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CPilotAttribute.h"

namespace zazorazari {

Variant CPilotAttribute::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CPilotAttribute::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
