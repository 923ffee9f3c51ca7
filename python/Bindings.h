// The parts of the module, each bound in a file of its own.
#pragma once

#include <pybind11/pybind11.h>

namespace zazpy {

namespace py = pybind11;

// Enumerations, UTM and the registration list report.
void BindValues(py::module_& m);
// Record and Collection.
void BindRecords(py::module_& m);
// Database and its transaction.
void BindDatabase(py::module_& m);

}  // namespace zazpy
