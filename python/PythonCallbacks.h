// Python callables as the host objects that long operations call by member
// name (the progress object, the overwrite question), and the way a Python
// exception raised inside one leaves the operation as that same exception.
#pragma once

#include <pybind11/pybind11.h>

#include <zazorazari/zazorazari.h>

namespace zazpy {

namespace py = pybind11;

// progress(percent: float) -> bool | None: a true result asks a copy between
// files to stop. None gives an object that ignores every report (the
// operations that need one always get one).
zazorazari::DispatchPtr ProgressObject(const py::object& progress);

// ask(name: str, single: bool) -> int: 0 skip, 1 overwrite, 2 skip all,
// 3 overwrite all. None gives no object (the question is not asked).
zazorazari::DispatchPtr OverwriteQuestion(const py::object& ask);

// The exception a callback raised during the current call, if any; taken
// out by the error translator, which raises it instead of the library's
// error that carried it out of the operation.
bool RestorePendingCallbackError();
// Forgets a callback error the library caught and did not report.
void ForgetPendingCallbackError();

}  // namespace zazpy
