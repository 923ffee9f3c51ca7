// The progress object that reports nowhere and is never cancelled.
#include "zazorazari/platform/NullProgress.h"

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

Variant NullProgress::Invoke(std::string_view member, InvokeKind kind, std::span<const Variant>) {
  if (member == "SetInfo" && kind == InvokeKind::Method) return {};
  if (member == "RaiseErrorIfCanceled" && kind == InvokeKind::PropertyPut) return {};
  if (member == "CancelPressed" && kind != InvokeKind::PropertyPut) return Variant(false);
  throw RuntimeError(errMemberNotSupported);
}

}  // namespace zazorazari
