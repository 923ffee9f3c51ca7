// A ready-made progress object for hosts that show no progress (extension).
// The exports and the XML imports require a progress object: passing
// nullptr there fails with 91 ("Object variable or With block variable not
// set"). Pass std::make_shared<NullProgress>() instead.
#pragma once

#include <span>
#include <string_view>

#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

// Answers the members the component calls on a progress object: SetInfo
// (ignored), RaiseErrorIfCanceled (ignored), CancelPressed (False). Any other
// member fails with 438, as on every host object that lacks it.
class NullProgress : public Dispatch {
 public:
  Variant Invoke(std::string_view member, InvokeKind kind, std::span<const Variant> args) override;
};

}  // namespace zazorazari
#pragma GCC visibility pop
