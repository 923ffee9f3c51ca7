// Records as mappings from field name to value, and lists of records.
#include <pybind11/stl.h>

#include <zazorazari/zazorazari.h>

#include "Bindings.h"
#include "PythonValues.h"

namespace zazpy {

using namespace zazorazari;

namespace {

CFieldPtr FieldOf(const CDataObject& record, const std::string& name) {
  if (!record.HasField(name)) throw py::key_error(name);
  return record.Fields(name);
}

py::list Names(const CDataObject& record) {
  py::list names;
  for (const auto& field : record) names.append(field->Name());
  return names;
}

}  // namespace

void BindRecords(py::module_& m) {
  py::class_<CDataObject, CDataObjectPtr>(
      m, "Record",
      "A record of one data object type (\"doPilot\", \"doTask\" ...): field names (any letter case) to values. "
      "dict(record) copies it; iterating gives the field names in order.")
      .def_property_readonly("type", &CDataObject::Name, "the data object type name")
      .def("__getitem__", [](const CDataObject& r, const std::string& name) { return ToPython(FieldOf(r, name)->Value()); })
      .def("__setitem__", [](const CDataObject& r, const std::string& name, const py::handle& value) {
        FieldOf(r, name)->SetValue(FromPython(value));
      })
      .def("__contains__", [](const CDataObject& r, const std::string& name) { return r.HasField(name); })
      .def("__len__", &CDataObject::Count)
      .def("__iter__", [](const CDataObject& r) { return py::iter(Names(r)); })
      .def("keys", &Names, "the field names in order")
      .def("values", [](const CDataObject& r) {
        py::list values;
        for (const auto& field : r) values.append(ToPython(field->Value()));
        return values;
      })
      .def("items", [](const CDataObject& r) {
        py::list items;
        for (const auto& field : r) items.append(py::make_tuple(field->Name(), ToPython(field->Value())));
        return items;
      })
      .def(
          "get",
          [](const CDataObject& r, const std::string& name, py::object fallback) {
            return r.HasField(name) ? ToPython(r.Fields(name)->Value()) : fallback;
          },
          py::arg("name"), py::arg("default") = py::none())
      .def("copy", &CDataObject::Clone, "a new record with the same fields and values")
      .def("__str__", &CDataObject::ToString, "the text form: one \"name=value\" line per field")
      .def("__repr__", [](const CDataObject& r) {
        std::string text = "<zazorazari.Record " + r.Name();
        if (r.Count() > 0) text += " " + r.Collection()[0]->Name() + "=" + CStr(r.Collection()[0]->Value());
        return text + ">";
      });

  py::class_<CDataObjectCollection, CDataObjectCollectionPtr>(
      m, "Collection",
      "The records of one owner (a task's turnpoints, a pilot's attributes), each under its key text; "
      "iterating gives the records in order.")
      .def_property("selector_value", &CDataObjectCollection::SelectorValue, &CDataObjectCollection::SetSelectorValue,
                    "the owner's key; setting it writes it into every record")
      .def_property_readonly("selector_field", &CDataObjectCollection::SelectorField)
      .def_property_readonly("key_field", &CDataObjectCollection::KeyField)
      .def("__len__", &CDataObjectCollection::Count)
      .def("__iter__", [](const CDataObjectCollection& c) {
        py::list records;
        for (const auto& record : c) records.append(record);
        return py::iter(records);
      })
      .def("__getitem__", [](const CDataObjectCollection& c, const py::handle& key) {
        // An int is a position from 0, a str the record's key.
        if (py::isinstance<py::int_>(key)) {
          const auto i = key.cast<int32_t>();
          if (i < 0 || i >= c.Count()) throw py::index_error();
          return c.Item(i + 1);
        }
        return c.Item(key.cast<std::string>());
      })
      .def(
          "add",
          [](CDataObjectCollection& c, CDataObjectPtr record, const py::object& key) {
            return c.Add(record, key.is_none() ? Variant() : Variant(py::str(key).cast<std::string>()));
          },
          py::arg("record"), py::arg("key") = py::none(), "adds the record (under its key text) and returns it")
      .def("remove", [](CDataObjectCollection& c, const std::string& key) { c.Remove(key); }, py::arg("key"));
}

}  // namespace zazpy
