// Writing back a whole TaskTurnpointCollection list (not yet supported).
#include "zazorazari/rules/CTaskTurnpointCollection.h"

namespace zazorazari {

Variant CTaskTurnpointCollection::Update(CDataObjectCollection&) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
