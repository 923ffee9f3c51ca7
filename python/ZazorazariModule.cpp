// The Python module `zazorazari._zazorazari`: the facade, records, lists,
// values, errors and host callbacks, over the public C++ API only.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <zazorazari/zazorazari.h>

#include "Bindings.h"
#include "PythonCallbacks.h"

namespace py = pybind11;
using namespace zazorazari;

namespace {

// Error is the base; the facade's own numbers and the engine's get a class
// each so that scripts can catch a family.
struct ErrorClasses {
  py::object base, facade, engine;
};

ErrorClasses& Classes() {
  static ErrorClasses classes;
  return classes;
}

void RaiseAsPython(const Error& e) {
  const ErrorClasses& c = Classes();
  const bool facade = e.Number() >= kErrorBase && e.Number() < kErrorBase + 0x100;
  const bool engine = e.Number() >= 3000 && e.Number() < 4000;
  const py::object& type = facade ? c.facade : engine ? c.engine : c.base;
  py::object instance = type(e.Description());
  instance.attr("number") = e.Number();
  instance.attr("source") = e.Source();
  instance.attr("description") = e.Description();
  PyErr_SetObject(type.ptr(), instance.ptr());
}

}  // namespace

PYBIND11_MODULE(_zazorazari, m) {
  m.doc() = "The database of a free-flight competition scoring suite: competition and catalogue files, "
            "records, lists, XML, turnpoint and registration list files.";
  ErrorClasses& c = Classes();
  c.base = py::reinterpret_steal<py::object>(
      PyErr_NewExceptionWithDoc("zazorazari.Error",
                                "A failure of the component: number, source and description as the C++ "
                                "zazorazari::Error carries them.",
                                PyExc_Exception, nullptr));
  c.facade = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
      "zazorazari.FacadeError", "An EnumError of the facade (0x80040200 + n): refusals and wrapped failures.",
      c.base.ptr(), nullptr));
  c.engine = py::reinterpret_steal<py::object>(PyErr_NewExceptionWithDoc(
      "zazorazari.EngineError", "An engine error (3000 to 3999): file, lock, SQL and conversion failures.",
      c.base.ptr(), nullptr));
  m.attr("Error") = c.base;
  m.attr("FacadeError") = c.facade;
  m.attr("EngineError") = c.engine;

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const Error& e) {
      // A callback's own exception goes on as itself.
      if (!zazpy::RestorePendingCallbackError()) RaiseAsPython(e);
    }
  });

  zazpy::BindValues(m);
  zazpy::BindRecords(m);
  zazpy::BindDatabase(m);
}
