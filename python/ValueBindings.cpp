// Enumerations, the UTM conversion and the registration list report.
#include <pybind11/stl.h>

#include <zazorazari/zazorazari.h>

#include "Bindings.h"

namespace zazpy {

using namespace zazorazari;

void BindValues(py::module_& m) {
  py::enum_<EnumOverwriteMode>(m, "Overwrite", "What a rule does with a record that collides with another.")
      .value("FORCE", enumOverwriteForce, "delete the other record, then write")
      .value("RAISE_ERROR", enumOverwriteRaiseError, "write nothing, raise FacadeError")
      .value("RETURN_PK", enumOverwriteReturnPk, "write nothing, return the other record's key");
  py::enum_<enumFileType>(m, "FileType", "The kind of database file.")
      .value("ALL", enumFileAll)
      .value("COMPETITION", enumFileCompetition)
      .value("CATALOG", enumFileCatalog);

  m.def(
      "utm",
      [](double latitude, double longitude) -> py::object {
        double northing = 0, easting = 0;
        int16_t zone = 0;
        Variant letter;
        if (!ConvertLatLongToUTM(latitude, longitude, northing, easting, zone, letter)) return py::none();
        return py::make_tuple(northing, easting, zone, CStr(letter));
      },
      py::arg("latitude"), py::arg("longitude"),
      "(northing, easting, zone, band letter) of a WGS 84 position in degrees, or None outside the UTM grid.");

  py::class_<PilotListProblem>(m, "PilotListProblem", "One thing wrong on one line of a registration list.")
      .def_readonly("line", &PilotListProblem::line, "line of the file, 1 is the header")
      .def_readonly("column", &PilotListProblem::column, "the header text as the file spells it")
      .def_readonly("value", &PilotListProblem::value)
      .def_readonly("message", &PilotListProblem::message)
      .def("__repr__", [](const PilotListProblem& p) {
        return "<line " + std::to_string(p.line) + ", " + p.column + " '" + p.value + "': " + p.message + ">";
      });
  py::class_<PilotListReport>(m, "PilotListReport", "What an import of a registration list did.")
      .def_readonly("lines", &PilotListReport::lines)
      .def_readonly("added", &PilotListReport::added)
      .def_readonly("existing", &PilotListReport::existing)
      .def_readonly("replaced", &PilotListReport::replaced)
      .def_readonly("written", &PilotListReport::written, "False after a dry run or when a line has a problem")
      .def_readonly("problems", &PilotListReport::problems);
}

}  // namespace zazpy
