// Values between Python and the component: None for NULL, bool, int, float,
// str, and datetime.date / datetime.time / datetime.datetime for dates.
#pragma once

#include <pybind11/pybind11.h>

#include <zazorazari/zazorazari.h>

namespace zazpy {

namespace py = pybind11;

// A date at midnight reads as a date, a time on day 0 as a time, any other
// date value as a datetime (whole seconds).
py::object ToPython(const zazorazari::Variant& value);

// Raises TypeError for a type without a counterpart; an int outside 32 bits
// becomes a float, as the engine's "number" columns hold it.
zazorazari::Variant FromPython(const py::handle& value);

}  // namespace zazpy
