// Writing back a whole PilotAttributeCollection list (not yet supported).
#include "zazorazari/rules/CPilotAttributeCollection.h"

namespace zazorazari {

Variant CPilotAttributeCollection::Update(CDataObjectCollection&) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
