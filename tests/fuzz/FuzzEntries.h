// The entry points that the libFuzzer targets and the regression tests share:
// each feeds one input through a public operation of the library. Only a
// zazorazari::Error may leave an operation; anything else (another exception,
// a sanitizer report, an invariant below) is a finding.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/RawSqlite.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/NullProgress.h"
#include "zazorazari/platform/UserInterface.h"

namespace zazfuzz {

namespace fs = std::filesystem;
using zazorazari::Error;
using zazorazari::Variant;

// An invariant of an entry point that does not hold.
struct Finding : std::logic_error {
  using std::logic_error::logic_error;
};

inline void Require(bool condition, const std::string& what) {
  if (!condition) throw Finding(what);
}

// Swallows the one exception type the library may raise.
template <class Body>
void Tolerating(Body&& body) {
  try {
    body();
  } catch (const Error&) {
  }
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A folder of this process, in memory where the system offers one, removed
// when the process ends normally.
inline const fs::path& Scratch() {
  static const fs::path folder = [] {
    const char* base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/zazfuzz.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    static const std::string removeAtExit = pattern;
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(removeAtExit, ec);
    });
    return fs::path(pattern);
  }();
  return folder;
}

// Rows in the tables the imports touch, so that files can hit existing keys:
// attribute 1 with value 1, turnpoint 7, manufacturer and glider 1, pilots
// 3 and 4 with their results of task 5, its formula row and turnpoints.
inline constexpr const char* kSeedRows =
    "INSERT INTO tblAttribute (attPk, attName) VALUES (1, 'Club');"
    "INSERT INTO tblAttributeValue (avaPk, attPk, avaValue) VALUES (1, 1, 'Aigles');"
    "INSERT INTO tblTurnpoint (trnPk, trnName, trnID, trnPositionType, trnPositionLatitudeDecimal, geoPk, oriPk)"
    " VALUES (7, 'Fiesch', 'FIE', 'GEO', 46.4, 243, 1);"
    "INSERT INTO tblManufacturer (manPk, manName) VALUES (1, 'Ozone');"
    "INSERT INTO tblGlider (gliPk, gliName, gliFAIClass, manPk) VALUES (1, 'Enzo', 2, 1);"
    "UPDATE tblCompetition SET comName = 'Open', attPk1 = 1;"
    "INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, pilNumber, gliPk, oriPk, avaPk1)"
    " VALUES (3, 'Anna', 'Meier', 17, 1, 1, 1), (4, 'Beat', 'Keller', 18, NULL, NULL, NULL);"
    "INSERT INTO tblPilotAttribute (patPk, pilPk, avaPk) VALUES (1, 3, 1);"
    "INSERT INTO tblTask (tasPk, tasDate, tasName, tasTaskType, tasDistance) VALUES (5, 37979, 'Task 1', 'Race', 87.5);"
    "INSERT INTO tblFormulaTask (fotPk, fotFormulaID, tasPk, fotParameter) VALUES (1, 0, 5, 'x=2');"
    "INSERT INTO tblResult (resPk, pilPk, tasPk, resStatus, resPositionLatitudeDecimal) VALUES"
    " (9, 3, 5, 'ES', 46.5), (10, 4, 5, NULL, 0);"
    "INSERT INTO tblTaskTurnpoint (ttpPk, tasPk, trnPk, ttpNr) VALUES (1, 5, 7, 1);";

// The template with the seed rows, made once per process.
inline const std::string& SeededImage() {
  static const std::string image = [] {
    const fs::path file = Scratch() / "seed.mdb";
    fs::copy_file(fs::path(ZAZ_TEMPLATE_DIR) / "template.mdb", file, fs::copy_options::overwrite_existing);
    zaztest::RawSqlite(file.string()).Exec(kSeedRows);
    return ReadBytes(file);
  }();
  return image;
}

// A fresh copy of the seeded template for one input.
inline std::string FreshDatabase(const char* name = "work.mdb") {
  const fs::path file = Scratch() / name;
  std::error_code ec;
  fs::remove(fs::path(file.string() + "-journal"), ec);
  WriteBytes(file, SeededImage());
  return file.string();
}

inline zazorazari::DispatchPtr SilentProgress() { return std::make_shared<zazorazari::NullProgress>(); }

// Says yes to every question, silently.
class AgreeingUserInterface : public zazorazari::UserInterface {
 public:
  int32_t MsgBox(const std::string&, int32_t buttons, const std::string&) override {
    return (buttons & zazorazari::vbYesNo) == zazorazari::vbYesNo ? zazorazari::vbYes : zazorazari::vbOK;
  }
  void SetMousePointer(int32_t) override {}
};

// The facade on a fresh copy of the seeded template, saying yes to questions.
inline std::unique_ptr<zazorazari::CDatabase> OpenFresh(const char* name = "work.mdb") {
  auto db = std::make_unique<zazorazari::CDatabase>();
  db->SetUserInterface(std::make_shared<AgreeingUserInterface>());
  db->SetPath(FreshDatabase(name));
  db->OpenDB();
  return db;
}

// The text forms a value may be asked for once it is parsed.
inline void RenderEveryWay(const Variant& value) {
  Tolerating([&] { zazorazari::CStr(value); });
  Tolerating([&] { zazorazari::ValueToExportText(value); });
}

// --- Entry points ---

// The record text form: FromString into a record with a field of every type
// (names that contain each other included), then back to text.
inline void RecordText(std::string_view input) {
  struct Column {
    const char* name;
    int32_t type;
  };
  static constexpr Column kColumns[] = {{"tasPk", 4},   {"Pk", 4},       {"bFlag", 1},    {"yByte", 2},
                                        {"iShort", 3},  {"cMoney", 5},   {"sSingle", 6},  {"dDouble", 7},
                                        {"tDate", 8},   {"strText", 10}, {"memNote", 12}, {"numN", 19}};
  zazorazari::CDataObject record;
  record.SetName("doFuzz");
  for (const auto& column : kColumns) record.Add(0, column.type, false, Variant::Null(), column.name);
  try {
    record.FromString(std::string(input));
  } catch (const Error&) {
    return;
  }
  // Whatever was read must print again.
  const std::string text = record.ToString();
  Tolerating([&] { record.FromString(text); });
}

// The value parsers and the conversions that follow them; the first byte
// picks the field type of TextToFieldValue.
inline void ValueText(std::string_view input) {
  static constexpr int32_t kTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 19, 0, 99};
  const int32_t type = input.empty() ? 10 : kTypes[static_cast<uint8_t>(input[0]) % std::size(kTypes)];
  const std::string text(input.empty() ? input : input.substr(1));

  Tolerating([&] {
    const Variant number = zazorazari::ParseNumber(text);
    RenderEveryWay(number);
    RenderEveryWay(Variant::Date(number.Number()));
    Tolerating([&] { zazorazari::CLng(number); });
    Tolerating([&] { zazorazari::CInt(number); });
    Tolerating([&] { zazorazari::SplitDate(number.Number()); });
  });
  Tolerating([&] { RenderEveryWay(Variant::Date(zazorazari::ParseDateText(text))); });
  Tolerating([&] { RenderEveryWay(Variant::Date(zazorazari::DateFromText(text))); });
  Tolerating([&] { RenderEveryWay(zazorazari::TextToFieldValue(text, type)); });
  const Variant asText(text);
  Tolerating([&] { zazorazari::CDbl(asText); });
  Tolerating([&] { zazorazari::CLng(asText); });
  Tolerating([&] { zazorazari::CSng(asText); });
  Tolerating([&] { zazorazari::CBool(asText); });
  Tolerating([&] { zazorazari::CDate(asText); });
  Tolerating([&] { zazorazari::SqlEqualNumber("f", asText); });
  Tolerating([&] { zazorazari::SqlEqualText("f", asText); });
}

// Row counts of the seeded file, read past the library.
inline std::string RowCounts(const std::string& file) {
  return zaztest::RawSqlite(file, zaztest::RawSqlite::Mode::ReadOnly)
      .Scalar("SELECT (SELECT count(*) FROM tblPilot) || '/' || (SELECT count(*) FROM tblResult) || '/' ||"
              " (SELECT count(*) FROM tblTask) || '/' || (SELECT count(*) FROM sqlite_master)");
}

// Criteria texts of a host's filter: translated directly, used by FindFirst
// and inside a SELECT over a view, and as the WHERE of a DELETE that is then
// undone. Reading must never change the file.
inline void Criteria(std::string_view input) {
  static const std::string file = FreshDatabase("criteria.mdb");
  static const std::string counts = RowCounts(file);
  static zazorazari::CDatabase* facade = [] {
    auto* db = new zazorazari::CDatabase();
    db->SetPath(file);
    db->OpenDB();
    return db;
  }();
  const std::string text(input);
  Tolerating([&] { zazorazari::engine::TranslateCriteria(text, "Fuzz"); });
  auto db = facade->DatabaseObject();
  Tolerating([&] {
    auto rs = db->OpenRecordset("tblPilot", zazorazari::engine::dbOpenDynaset);
    rs->FindFirst(text);
    if (!rs->NoMatch()) rs->Fields("pilLastName").Value();
  });
  Tolerating([&] {
    auto rs = db->OpenRecordset("SELECT * FROM doPilot WHERE " + text + " ORDER BY pilLastName",
                                zazorazari::engine::dbOpenSnapshot);
    while (!rs->IsEOF()) rs->MoveNext();
  });
  Require(RowCounts(file) == counts, "reading changed the file: " + RowCounts(file));
}

// A database file (root "ZOLT") merged into a fresh file, which is then
// exported again.
inline void DatabaseXmlImport(std::string_view input) {
  const fs::path xml = Scratch() / "import.xml";
  WriteBytes(xml, input);
  const auto db = OpenFresh();
  bool loaded = true;
  try {
    db->ImportDBFromXML(xml.string(), SilentProgress());
  } catch (const Error& e) {
    loaded = e.Description().rfind("Cannot load", 0) != 0;
  }
  // Exporting what an import wrote is the way back out; nothing was written
  // when the file did not even load.
  if (loaded) {
    Tolerating([&] {
      db->ExportDB((Scratch() / "export.xml").string(), zazorazari::enumDB6, zazorazari::enumExportXML,
                   SilentProgress());
    });
  }
}

// A task result file (root "ZOLTTaskResult") into a fresh file with task 5
// and its results.
inline void TaskResultImport(std::string_view input) {
  const fs::path xml = Scratch() / "result.xml";
  WriteBytes(xml, input);
  const auto db = OpenFresh();
  Tolerating([&] { db->ImportTaskResultFromXML(xml.string(), SilentProgress()); });
  Tolerating([&] {
    db->ExportTaskResult((Scratch() / "export.xml").string(), 5, zazorazari::enumExportXML, SilentProgress());
  });
}

// An OziExplorer waypoint file into a fresh file; every overwrite question
// is answered yes.
inline void WaypointImport(std::string_view input) {
  const fs::path wpt = Scratch() / "points.wpt";
  WriteBytes(wpt, input);
  const auto db = OpenFresh();
  Tolerating([&] { db->ImportTurnpointsFromWPT(wpt.string(), SilentProgress()); });
}

// A turnpoint file of one format through the turnpoint rules into a fresh
// file; what was stored is exported in that format and imported again into
// another fresh file.
inline void TurnpointFile(std::string_view input, const std::string& format) {
  const fs::path in = Scratch() / ("points." + format);
  const fs::path out = Scratch() / ("export." + format);
  WriteBytes(in, input);
  const auto import = [&format](zazorazari::CDatabase& db, const fs::path& path) {
    try {
      db.ImportTurnpointsFromFile(path.string(), format, zazorazari::enumOverwriteForce, SilentProgress(),
                                  zazorazari::enumImportAllOrNothing);
    } catch (const Error&) {
      return false;
    }
    return true;
  };
  const auto first = OpenFresh();
  if (!import(*first, in)) return;
  Tolerating([&] { first->ExportTurnpointsToFile(out.string(), format, 0, SilentProgress()); });
  import(*OpenFresh("again.mdb"), out);
}

inline void CupTurnpoints(std::string_view input) { TurnpointFile(input, "cup"); }
inline void GpxTurnpoints(std::string_view input) { TurnpointFile(input, "gpx"); }
inline void GeoJsonTurnpoints(std::string_view input) { TurnpointFile(input, "geojson"); }

}  // namespace zazfuzz
