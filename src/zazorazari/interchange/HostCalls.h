// The progress object's one call that every import and export makes.
#pragma once

#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::interchange {

// frmProgress.SetInfo percent; the result is not used.
inline void ReportProgress(const DispatchPtr& frmProgress, const Variant& percent) {
  CallMethod(frmProgress, "SetInfo", std::span<const Variant>(&percent, 1));
}

// For the extensions, whose progress object is optional (nullptr).
inline void ReportProgressIfAny(const DispatchPtr& frmProgress, const Variant& percent) {
  if (frmProgress) ReportProgress(frmProgress, percent);
}

}  // namespace zazorazari::interchange
