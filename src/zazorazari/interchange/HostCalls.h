// The host calls the long operations share: the progress object's one call
// that every import and export makes, and the overwrite question.
#pragma once

#include <cstdint>
#include <string>

#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/UserInterface.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::interchange {

// frmProgress.SetInfo percent; the result is not used.
inline void ReportProgress(const DispatchPtr& frmProgress, const Variant& percent) {
  CallMethod(frmProgress, "SetInfo", std::span<const Variant>(&percent, 1));
}

// frmAskOverwrite about one record: ObjectName, Show modal with the normal
// pointer meanwhile, then its Answer.
inline Variant AskOverwrite(const DispatchPtr& frmAskOverwrite, UserInterface& ui, const std::string& name) {
  PutProperty(frmAskOverwrite, "ObjectName", name);
  ui.SetMousePointer(vbDefaultPointer);
  const Variant modal = int16_t{1};
  CallMethod(frmAskOverwrite, "Show", std::span<const Variant>(&modal, 1));
  ui.SetMousePointer(vbHourglass);
  return GetProperty(frmAskOverwrite, "Answer");
}

// For the extensions, whose progress object is optional (nullptr).
inline void ReportProgressIfAny(const DispatchPtr& frmProgress, const Variant& percent) {
  if (frmProgress) ReportProgress(frmProgress, percent);
}

}  // namespace zazorazari::interchange
