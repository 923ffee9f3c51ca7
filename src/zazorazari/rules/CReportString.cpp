// Rules of the ReportString entity (being implemented: answers "not supported" for now).
#include "zazorazari/rules/CReportString.h"

namespace zazorazari {

Variant CReportString::Update(EnumUpdate, CDataObject&, EnumOverwriteMode) {
  return Variant::Error(enumInternalErrorFunctionNotSupported);
}

Variant CReportString::Delete(int32_t, bool) { return Variant::Error(enumInternalErrorFunctionNotSupported); }

}  // namespace zazorazari
