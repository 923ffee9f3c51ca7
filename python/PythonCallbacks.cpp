// Host objects over Python callables. Long operations run without the GIL;
// each call into Python takes it back.
#include "PythonCallbacks.h"

#include <memory>
#include <optional>

namespace zazpy {

namespace {

using namespace zazorazari;

thread_local std::optional<py::error_already_set> g_pending;

// Calls the Python function with the GIL; a Python exception is kept and
// leaves the library as a zazorazari::Error, which the translator replaces.
template <class... Args>
py::object CallPython(const py::object& fn, Args&&... args) {
  py::gil_scoped_acquire gil;
  try {
    return fn(std::forward<Args>(args)...);
  } catch (py::error_already_set& e) {
    g_pending = std::move(e);
    throw Error(errInvalidProcedureCall, "Python", "a Python callback raised an exception");
  }
}

Variant Ignore(std::span<const Variant>) { return {}; }

}  // namespace

DispatchPtr ProgressObject(const py::object& progress) {
  auto object = std::make_shared<DispatchObject>();
  auto cancel = std::make_shared<bool>(false);
  object->OnPut("RaiseErrorIfCanceled", [](const Variant&) {});
  object->OnGet("CancelPressed", [cancel] { return Variant(*cancel); });
  if (progress.is_none()) {
    object->OnMethod("SetInfo", Ignore);
    return object;
  }
  object->OnMethod("SetInfo", [progress, cancel](std::span<const Variant> args) {
    const double percent = args.empty() ? 0 : args[0].Number();
    const py::object answer = CallPython(progress, percent);
    py::gil_scoped_acquire gil;
    *cancel = !answer.is_none() && answer.cast<bool>();
    return Variant();
  });
  return object;
}

DispatchPtr OverwriteQuestion(const py::object& ask) {
  if (ask.is_none()) return nullptr;
  struct State {
    std::string name;
    bool single = false;
    int32_t answer = 0;
  };
  auto state = std::make_shared<State>();
  auto object = std::make_shared<DispatchObject>();
  object->OnPut("SingleObject", [state](const Variant& v) { state->single = v.Number() != 0; });
  object->OnPut("ObjectName", [state](const Variant& v) { state->name = CStr(v); });
  object->OnMethod("Show", [ask, state](std::span<const Variant>) {
    const py::object answer = CallPython(ask, state->name, state->single);
    py::gil_scoped_acquire gil;
    state->answer = answer.cast<int32_t>();
    return Variant();
  });
  object->OnGet("Answer", [state] { return Variant(state->answer); });
  return object;
}

bool RestorePendingCallbackError() {
  if (!g_pending) return false;
  g_pending->restore();
  g_pending.reset();
  return true;
}

void ForgetPendingCallbackError() { g_pending.reset(); }

}  // namespace zazpy
