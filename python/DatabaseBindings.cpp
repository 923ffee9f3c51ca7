// The facade as `zazorazari.Database`: a context manager that opens the file
// on entry and closes it on exit, also when the block fails. Long operations
// run without the GIL, so other Python threads go on meanwhile.
#include <pybind11/stl.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

#include <zazorazari/zazorazari.h>

#include "Bindings.h"
#include "PythonCallbacks.h"

namespace zazpy {

using namespace zazorazari;

namespace {

// Where template.mdb is: $ZAZORAZARI_TEMPLATE_DIR, the installed data
// folder, then this build's (the package replaces it with its own folder
// when it carries the template).
std::string DefaultTemplateDir() {
  if (const char* env = std::getenv("ZAZORAZARI_TEMPLATE_DIR"); env && *env) return env;
  for (const char* dir : {ZAZ_INSTALLED_DATA_DIR, ZAZ_BUILD_TEMPLATE_DIR}) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(dir) / "template.mdb", ec)) return dir;
  }
  return ZAZ_INSTALLED_DATA_DIR;
}

// Runs a long operation without the GIL. Host objects are made before and
// released after, with the GIL held.
template <class Body>
auto Released(Body&& body) {
  ForgetPendingCallbackError();
  py::gil_scoped_release release;
  return body();
}

std::unique_ptr<CDatabase> NewDatabase(const std::string& path) {
  auto db = std::make_unique<CDatabase>();
  db->SetPath(path);
  return db;
}

}  // namespace

void BindDatabase(py::module_& m) {
  m.attr("DEFAULT_TEMPLATE_DIR") = DefaultTemplateDir();

  py::class_<CDatabase> cls(m, "Database",
                            "One competition or catalogue file. `with Database(path) as db:` opens it and closes "
                            "it at the end of the block, also when the block fails.");
  cls.def(py::init(&NewDatabase), py::arg("path"))
      .def_static(
          "create",
          [](const std::string& path, enumFileType kind, const std::optional<std::string>& templateDir) {
            auto db = NewDatabase(path);
            // The package's own setting: an installed package carries its template.
            const std::string dir = templateDir.value_or(
                py::module_::import("zazorazari").attr("DEFAULT_TEMPLATE_DIR").cast<std::string>());
            Released([&] { db->Create(path, dir, kind); });
            return db;
          },
          py::arg("path"), py::arg("kind") = enumFileCompetition, py::arg("template_dir") = py::none(),
          "Makes a new file, a copy of template.mdb from template_dir (default zazorazari.DEFAULT_TEMPLATE_DIR; "
          "fails when the file exists), and returns it unopened.")
      .def("open", [](CDatabase& db) { Released([&] { db.OpenDB(); }); })
      .def("close", [](CDatabase& db) { Released([&] { db.CloseDB(); }); })
      .def("__enter__",
           [](CDatabase& db) -> CDatabase& {
             if (!db.IsOpen()) Released([&] { db.OpenDB(); });
             return db;
           },
           py::return_value_policy::reference)
      .def("__exit__",
           [](CDatabase& db, const py::object&, const py::object&, const py::object&) {
             if (db.IsOpen()) Released([&] { db.CloseDB(); });
             return false;
           })
      .def_property_readonly("path", &CDatabase::Path)
      .def_property_readonly("is_open", &CDatabase::IsOpen)
      .def_property_readonly("file_type", &CDatabase::FileType)
      .def_property_readonly("version", &CDatabase::DatabaseVersion, "the file's version text")
      .def_property_readonly("competition", &CDatabase::CompetitionObject, "the competition record (key 1)")
      .def_property_readonly("last_duplicated_pk", &CDatabase::LastDuplicatedPk,
                             "the pilot that held a number or identifier a write was refused for")
      .def("compact", [](CDatabase& db) { Released([&] { db.Compress(); }); },
           "Rewrites the file without free space (no other program may have it open).")
      .def("rename", [](CDatabase& db, const std::string& path) { Released([&] { db.Rename(path); }); },
           py::arg("new_path"))
      .def("is_valid_file",
           [](CDatabase& db, enumFileType kind) { return Released([&] { return db.IsValidFile(kind); }); },
           py::arg("kind") = enumFileAll, "0 when the file is a database of this kind, else the error number.")

      // Records and lists.
      .def("new", &CDatabase::CreateDataObject, py::arg("type"), "An empty record of the type (\"doPilot\" ...).")
      .def("get", &CDatabase::GetDataObject, py::arg("type"), py::arg("key"))
      .def("add", &CDatabase::AddDataObject, py::arg("record"), py::arg("overwrite") = enumOverwriteRaiseError,
           "Writes a new record through its rules and returns its key.")
      .def("update", &CDatabase::UpdateDataObject, py::arg("record"), py::arg("overwrite") = enumOverwriteRaiseError)
      .def("delete", &CDatabase::DeleteDataObject, py::arg("type"), py::arg("key"),
           py::arg("delete_references") = false)
      .def("new_collection", &CDatabase::CreateDataObjectCollection, py::arg("type"))
      .def(
          "collection",
          [](CDatabase& db, const std::string& type, int32_t key, const std::optional<std::string>& filter,
             const std::optional<std::string>& order) {
            const auto text = [](const std::optional<std::string>& s) { return s ? Variant(*s) : Variant(); };
            return db.GetDataObjectCollection(type, key, text(filter), text(order));
          },
          py::arg("type"), py::arg("key") = 0, py::arg("filter") = py::none(), py::arg("order") = py::none(),
          "The records of one owner (\"docTaskTurnpoint\", task key); filter and order are criteria texts.")
      .def("update_collection", &CDatabase::UpdateDataObjectCollection, py::arg("collection"))
      .def(
          "transaction", [](CDatabase& db) { return std::make_unique<CDatabase::Transaction>(db); },
          py::keep_alive<0, 1>(),
          "Starts a transaction (an extension): `with db.transaction():` writes everything the block did at its "
          "end, or nothing when the block raises.");

  // Commit and rollback sync the file: other Python threads go on meanwhile.
  py::class_<CDatabase::Transaction>(m, "Transaction")
      .def("__enter__", [](CDatabase::Transaction& t) -> CDatabase::Transaction& { return t; },
           py::return_value_policy::reference)
      .def("__exit__",
           [](CDatabase::Transaction& t, const py::object& type, const py::object&, const py::object&) {
             if (type.is_none()) {
               Released([&] { t.Commit(); });
             } else {
               Released([&] { t.Rollback(); });
             }
             return false;
           })
      .def("commit", [](CDatabase::Transaction& t) { Released([&] { t.Commit(); }); })
      .def("rollback", [](CDatabase::Transaction& t) { Released([&] { t.Rollback(); }); });

  // Files in and out; every one takes an optional progress callable.
  const auto withProgress = [](auto call) {
    return [call](CDatabase& db, const std::string& path, const py::object& progress) {
      DispatchPtr frm = ProgressObject(progress);
      Released([&] { call(db, path, frm); });
    };
  };
  cls.def("export_xml",
          withProgress([](CDatabase& db, const std::string& p, DispatchPtr f) { db.ExportDB(p, enumDB6, enumExportXML, f); }),
          py::arg("path"), py::arg("progress") = py::none(), "The whole database as an XML file.")
      .def("import_xml", withProgress([](CDatabase& db, const std::string& p, DispatchPtr f) { db.ImportDBFromXML(p, f); }),
           py::arg("path"), py::arg("progress") = py::none())
      .def("import_pilots_xml",
           withProgress([](CDatabase& db, const std::string& p, DispatchPtr f) { db.ImportPilotsFromXML(p, f); }),
           py::arg("path"), py::arg("progress") = py::none())
      .def("import_turnpoints_xml",
           withProgress([](CDatabase& db, const std::string& p, DispatchPtr f) { db.ImportTurnpointsFromXML(p, f); }),
           py::arg("path"), py::arg("progress") = py::none())
      .def("import_task_result_xml",
           withProgress([](CDatabase& db, const std::string& p, DispatchPtr f) { db.ImportTaskResultFromXML(p, f); }),
           py::arg("path"), py::arg("progress") = py::none())
      .def("import_waypoints",
           withProgress([](CDatabase& db, const std::string& p, DispatchPtr f) { db.ImportTurnpointsFromWPT(p, f); }),
           py::arg("path"), py::arg("progress") = py::none(), "Turnpoints from an OziExplorer waypoint file.")
      .def(
          "import_turnpoints",
          [](CDatabase& db, const std::string& path, const std::string& format, EnumOverwriteMode overwrite,
             const py::object& progress) {
            DispatchPtr frm = ProgressObject(progress);
            Released([&] { db.ImportTurnpointsFromFile(path, format, overwrite, frm); });
          },
          py::arg("path"), py::arg("format") = "", py::arg("overwrite") = enumOverwriteReturnPk,
          py::arg("progress") = py::none(), "A SeeYou .cup, GPX, GeoJSON or OziExplorer file (\"\" detects it).")
      .def(
          "export_turnpoints",
          [](CDatabase& db, const std::string& path, const std::string& format, int32_t task,
             const py::object& progress) {
            DispatchPtr frm = ProgressObject(progress);
            Released([&] { db.ExportTurnpointsToFile(path, format, task, frm); });
          },
          py::arg("path"), py::arg("format") = "", py::arg("task") = 0, py::arg("progress") = py::none())
      .def(
          "export_task",
          [](CDatabase& db, const std::string& path, int32_t task, const py::object& progress) {
            DispatchPtr frm = ProgressObject(progress);
            Released([&] { db.ExportTask(path, task, enumExportXML, frm); });
          },
          py::arg("path"), py::arg("task"), py::arg("progress") = py::none())
      .def(
          "export_task_result",
          [](CDatabase& db, const std::string& path, int32_t task, const py::object& progress) {
            DispatchPtr frm = ProgressObject(progress);
            Released([&] { db.ExportTaskResult(path, task, enumExportXML, frm); });
          },
          py::arg("path"), py::arg("task"), py::arg("progress") = py::none())
      .def(
          "insert_from",
          [](CDatabase& db, const std::string& type, const std::string& from, const std::vector<int32_t>& keys,
             const py::object& progress, const py::object& ask, const std::vector<std::string>& messages) {
            DispatchPtr frm = ProgressObject(progress);
            DispatchPtr question = OverwriteQuestion(ask);
            return Released([&] { return db.InsertDataObjectsFrom(type, from, keys, frm, question, messages); });
          },
          py::arg("type"), py::arg("path_from"), py::arg("keys"), py::arg("progress") = py::none(),
          py::arg("ask_overwrite") = py::none(), py::arg("messages") = std::vector<std::string>{},
          "Copies records from another file; ask_overwrite(name, single) answers collisions "
          "(0 skip, 1 overwrite, 2 skip all, 3 overwrite all).")
      .def("insert_catalog_from",
           [](CDatabase& db, const std::string& path) { return Released([&] { return db.InsertCatalogFrom(path); }); },
           py::arg("path"))
      .def(
          "import_pilots_csv",
          [](CDatabase& db, const std::string& path, const std::map<std::string, std::string>& columns,
             EnumOverwriteMode overwrite, bool dryRun, const py::object& progress) {
            PilotListOptions options;
            options.columnMap.assign(columns.begin(), columns.end());
            options.overwrite = overwrite;
            options.dryRun = dryRun;
            DispatchPtr frm = ProgressObject(progress);
            return Released([&] { return db.ImportPilotsFromCSV(path, options, frm); });
          },
          py::arg("path"), py::arg("columns") = std::map<std::string, std::string>{},
          py::arg("overwrite") = enumOverwriteReturnPk, py::arg("dry_run") = false, py::arg("progress") = py::none(),
          "A registration list through the pilot rules, all or nothing; columns maps other headers to fields.")
      .def(
          "export_pilots_csv",
          [](CDatabase& db, const std::string& path, const std::string& separator, const py::object& progress) {
            if (separator.size() != 1) throw py::value_error("the separator is one character: ',' ';' or '\\t'");
            DispatchPtr frm = ProgressObject(progress);
            return Released([&] { return db.ExportPilotsToCSV(path, separator[0], frm); });
          },
          py::arg("path"), py::arg("separator") = ",", py::arg("progress") = py::none(),
          "Every pilot with the columns import_pilots_csv reads; returns the number written.");
}

}  // namespace zazpy
