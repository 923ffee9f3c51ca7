// Writing back the attribute list of one pilot (being implemented).
#include "zazorazari/rules/CPilotAttributeCollection.h"

namespace zazorazari {

int32_t CPilotAttributeCollection::Update(CDataObjectCollection&) { return 0; }

}  // namespace zazorazari
