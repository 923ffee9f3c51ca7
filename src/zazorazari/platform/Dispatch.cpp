// Calls on late-bound host objects, and the helper host object that maps
// member names to callables.
#include "zazorazari/platform/Dispatch.h"

#include <utility>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

DispatchObject& DispatchObject::OnMethod(const std::string& name,
                                         std::function<Variant(std::span<const Variant>)> fn) {
  m_methods[name] = std::move(fn);
  return *this;
}

DispatchObject& DispatchObject::OnGet(const std::string& name, std::function<Variant()> fn) {
  m_getters[name] = std::move(fn);
  return *this;
}

DispatchObject& DispatchObject::OnPut(const std::string& name, std::function<void(const Variant&)> fn) {
  m_putters[name] = std::move(fn);
  return *this;
}

Variant DispatchObject::Invoke(std::string_view member, InvokeKind kind, std::span<const Variant> args) {
  // A host language reads "obj.Member" as either a method call without
  // arguments or a property get, so each falls back on the other.
  switch (kind) {
    case InvokeKind::Method:
      if (const auto it = m_methods.find(member); it != m_methods.end()) return it->second(args);
      if (const auto it = m_getters.find(member); it != m_getters.end() && args.empty()) return it->second();
      break;
    case InvokeKind::PropertyGet:
      if (const auto it = m_getters.find(member); it != m_getters.end() && args.empty()) return it->second();
      if (const auto it = m_methods.find(member); it != m_methods.end()) return it->second(args);
      break;
    case InvokeKind::PropertyPut:
      if (const auto it = m_putters.find(member); it != m_putters.end()) {
        if (args.size() != 1) throw RuntimeError(errInvalidProcedureCall);
        it->second(args.front());
        return {};
      }
      break;
  }
  throw RuntimeError(errMemberNotSupported);
}

namespace {

Dispatch& Target(const DispatchPtr& obj) {
  if (!obj) throw RuntimeError(errObjectNotSet);
  return *obj;
}

}  // namespace

Variant CallMethod(const DispatchPtr& obj, std::string_view member, std::span<const Variant> args) {
  return Target(obj).Invoke(member, InvokeKind::Method, args);
}

Variant GetProperty(const DispatchPtr& obj, std::string_view member) {
  return Target(obj).Invoke(member, InvokeKind::PropertyGet, {});
}

void PutProperty(const DispatchPtr& obj, std::string_view member, const Variant& value) {
  Target(obj).Invoke(member, InvokeKind::PropertyPut, std::span<const Variant>(&value, 1));
}

}  // namespace zazorazari
