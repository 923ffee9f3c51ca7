// Rules of the AttributeValue entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CAttributeValue.h"

namespace zazorazari {

Variant CAttributeValue::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CAttributeValue::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
