// Late-bound host objects (progress, overwrite question): called by member
// name at run time, with no type information, like the host's dispatch objects.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

enum class InvokeKind { Method, PropertyGet, PropertyPut };

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // A member the object lacks fails with 438.
  virtual Variant Invoke(std::string_view member, InvokeKind kind, std::span<const Variant> args) = 0;
};

using DispatchPtr = std::shared_ptr<Dispatch>;

// Helper host object: members are the callables it was given; every other
// member fails with 438. Names match exactly.
class DispatchObject : public Dispatch {
 public:
  DispatchObject& OnMethod(const std::string& name, std::function<Variant(std::span<const Variant>)> fn);
  DispatchObject& OnGet(const std::string& name, std::function<Variant()> fn);
  DispatchObject& OnPut(const std::string& name, std::function<void(const Variant&)> fn);

  Variant Invoke(std::string_view member, InvokeKind kind, std::span<const Variant> args) override;

 private:
  std::map<std::string, std::function<Variant(std::span<const Variant>)>, std::less<>> m_methods;
  std::map<std::string, std::function<Variant()>, std::less<>> m_getters;
  std::map<std::string, std::function<void(const Variant&)>, std::less<>> m_putters;
};

// Calls on a host object; a nullptr object fails with 91.
Variant CallMethod(const DispatchPtr& obj, std::string_view member, std::span<const Variant> args = {});
Variant GetProperty(const DispatchPtr& obj, std::string_view member);
void PutProperty(const DispatchPtr& obj, std::string_view member, const Variant& value);

}  // namespace zazorazari
#pragma GCC visibility pop
