// Import of a registration list (CSV) through the pilot rules: every line is
// checked and written inside one transaction, which is kept only when no
// line has a problem and the caller did not ask for a dry run.
#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/PilotList.h"
#include "zazorazari/dataobject/CField.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/OperationScope.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/CsvTable.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/PilotListColumns.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari {

using namespace interchange;

namespace {

constexpr const char* kOperation = "ImportPilotsFromCSV";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The file's header: which pilot field each cell fills.
struct ListHeader {
  std::vector<std::string> headers;      // as the file spells them
  std::vector<std::string> fields;       // "" for a cell that fills nothing
  std::map<std::string, size_t> indexOf;  // field -> cell
};

ListHeader ReadHeader(const CsvRow& row, const CDataObject& blank, const PilotListOptions& options,
                      std::vector<PilotListProblem>& problems) {
  std::map<std::string, std::string> known;  // lower-case header or field name -> field
  for (const auto& column : PilotListColumns(blank)) {
    known.emplace(Lower(column.field), column.field);
    known.emplace(Lower(column.header), column.field);
  }
  std::map<std::string, std::string> renamed;
  for (const auto& [from, to] : options.columnMap) renamed[Lower(Trimmed(from))] = to;

  ListHeader header;
  for (const std::string& cell : row.cells) {
    const std::string text = Trimmed(cell);
    const auto mapped = renamed.find(Lower(text));
    const std::string wanted = mapped == renamed.end() ? text : mapped->second;
    const auto found = known.find(Lower(wanted));
    std::string field;
    if (found == known.end()) {
      problems.push_back({row.line, text, wanted,
                          "no pilot field or attribute of the competition has this name; name one with "
                          "--map \"" + text + "=pilLastName\" (or leave the column out)"});
    } else if (header.indexOf.contains(found->second)) {
      problems.push_back({row.line, text, wanted,
                          "a second column for " + found->second + " (the first is '" +
                              header.headers[header.indexOf[found->second]] + "')"});
    } else {
      field = found->second;
      header.indexOf[field] = header.headers.size();
    }
    header.headers.push_back(text);
    header.fields.push_back(field);
  }
  return header;
}

// Fills one record from one line, checking each cell by its field's type;
// the problems name the line and the column.
class LineReader {
 public:
  LineReader(engine::Database& db, const ListHeader& header) : m_db(db), m_header(header) {}

  bool Fill(const CsvRow& row, CDataObject& pilot, std::vector<PilotListProblem>& problems) {
    const size_t before = problems.size();
    if (row.cells.size() > m_header.headers.size()) {
      problems.push_back({row.line, "", "",
                          std::to_string(row.cells.size()) + " cells, but the header names " +
                              std::to_string(m_header.headers.size()) + " columns"});
    }
    const size_t count = std::min(row.cells.size(), m_header.headers.size());
    for (size_t i = 0; i < count; ++i) {
      const std::string text = Trimmed(row.cells[i]);
      if (m_header.fields[i].empty() || text.empty()) continue;
      const CFieldPtr field = pilot.Fields(m_header.fields[i]);
      std::string wrong;
      const Variant value = Convert(*field, text, wrong);
      if (!wrong.empty()) {
        problems.push_back({row.line, m_header.headers[i], text, wrong});
        continue;
      }
      field->SetValue(value);
    }
    return problems.size() == before;
  }

 private:
  Variant Convert(const CField& field, const std::string& text, std::string& wrong) {
    if (field.Name() == "natCode3") {
      if (!KnownNation(text)) wrong = "no nation has this three-letter code (ISO 3166-1 alpha-3, e.g. CHE)";
      return text;
    }
    try {
      switch (field.DataType()) {
        case 1:
          return CBool(text);
        case 8:
          return Variant::Date(DateFromText(text));
        case 2: case 3: case 4: case 5: case 6: case 7: case 19:
          return ParseNumber(text);
        default:
          return text;
      }
    } catch (const Error&) {
      if (field.DataType() == 1) wrong = "not a yes/no value (True, False, Yes, No)";
      else if (field.DataType() == 8) wrong = "not a date: write 1985-04-23 or 23.04.1985";
      else wrong = "not a number";
      return {};
    }
  }

  bool KnownNation(const std::string& code) {
    auto found = m_nations.find(code);
    if (found == m_nations.end()) {
      auto rs = m_db.OpenRecordset("SELECT * FROM tblNation WHERE " + SqlEqualText("natCode3", code),
                                   engine::dbOpenSnapshot);
      found = m_nations.emplace(code, !rs->IsEOF()).first;
      rs->Close();
    }
    return found->second;
  }

  engine::Database& m_db;
  const ListHeader& m_header;
  std::map<std::string, bool> m_nations;
};

// Pilots in the file before the import: how many, and the highest key (the
// engine's counter gives every new pilot a higher one).
struct PilotTally {
  int32_t count = 0;
  int32_t maxKey = 0;
};

PilotTally Tally(engine::Database& db) {
  PilotTally tally;
  auto rs = db.OpenRecordset("SELECT * FROM tblPilot ORDER BY pilPk", engine::dbOpenSnapshot);
  for (; !rs->IsEOF(); rs->MoveNext()) {
    ++tally.count;
    tally.maxKey = CLng(rs->Fields(0).Value());
  }
  rs->Close();
  return tally;
}

class ListImport {
 public:
  ListImport(CDatabase& db, engine::Database& engineDb, const ListHeader& header, const PilotListOptions& options)
      : m_db(db), m_engine(engineDb), m_header(header), m_options(options), m_before(Tally(engineDb)),
        m_reader(engineDb, header), m_pilot(db.CreateDataObject("doPilot")) {
    for (const auto& field : m_pilot->Collection()) m_blank.push_back(field->Value());
  }

  void Add(const CsvRow& row, PilotListReport& report) {
    // One record serves every line, emptied of what the last line and its
    // rules left in it.
    const auto& fields = m_pilot->Collection();
    for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetValue(m_blank[i]);
    if (!m_reader.Fill(row, *m_pilot, report.problems) || RepeatsAnEarlierLine(row, report)) return;
    try {
      const int32_t key = m_db.AddDataObject(*m_pilot, m_options.overwrite);
      if (key <= m_before.maxKey) {
        ++report.existing;
      } else if (const auto earlier = m_lineOfKey.find(key); earlier != m_lineOfKey.end()) {
        report.problems.push_back({row.line, Column("pilLastName"), Text("pilLastName"),
                                   "the same pilot as on line " + std::to_string(earlier->second)});
      } else {
        m_lineOfKey[key] = row.line;
        ++report.added;
      }
    } catch (const Error& e) {
      report.problems.push_back(Refusal(row, e));
    }
  }

  void Count(PilotListReport& report) {
    report.replaced = m_before.count + report.added - Tally(m_engine).count;
    report.added -= report.replaced;
  }

 private:
  // The same names and birthday twice in one list is a mistake in the list,
  // whatever the overwrite mode would make of it.
  bool RepeatsAnEarlierLine(const CsvRow& row, PilotListReport& report) {
    auto key = std::make_tuple(Lower(Text("pilLastName")), Lower(Text("pilFirstName")), Text("pilBirthday"));
    const auto [seen, isNew] = m_lineOfPerson.emplace(std::move(key), row.line);
    if (isNew) return false;
    report.problems.push_back({row.line, Column("pilLastName"), Text("pilLastName"),
                               "the same pilot (names and birthday) as on line " + std::to_string(seen->second)});
    return true;
  }

  PilotListProblem Refusal(const CsvRow& row, const Error& e) {
    if (e.Number() == enumErrorPilotSignExists || e.Number() == enumErrorPilotIDExists) {
      const std::string field = e.Number() == enumErrorPilotSignExists ? "pilNumber" : "pilIDGlobal";
      const std::string what = e.Number() == enumErrorPilotSignExists ? "start number" : "global identifier";
      return {row.line, Column(field), Text(field), "this " + what + " is already held by " + Holder()};
    }
    if (e.Number() == enumErrorRecordsetExists) {
      return {row.line, Column("pilLastName"), Text("pilLastName"),
              "this pilot is already in the database (same names, no other birthday or identifier); "
              "choose the overwrite mode 'return' to keep him or 'force' to replace him"};
    }
    return {row.line, "", "", e.Description()};
  }

  // The pilot the rules found holding a number or identifier.
  std::string Holder() {
    const int32_t key = m_db.LastDuplicatedPk();
    if (const auto line = m_lineOfKey.find(key); line != m_lineOfKey.end()) {
      return "the pilot on line " + std::to_string(line->second);
    }
    const CDataObjectPtr other = m_db.GetDataObject("doPilot", key);
    const auto name = [&other](const char* f) {
      const Variant& v = other->Fields(f)->Value();
      return v.IsNull() ? std::string() : CStr(v);
    };
    return name("pilFirstName") + " " + name("pilLastName") + " (pilot " + std::to_string(key) + ")";
  }

  std::string Column(const std::string& field) const {
    const auto found = m_header.indexOf.find(field);
    return found == m_header.indexOf.end() ? field : m_header.headers[found->second];
  }

  std::string Text(const std::string& field) const {
    const Variant& value = m_pilot->Fields(field)->Value();
    return value.IsNull() ? std::string() : CStr(value);
  }

  CDatabase& m_db;
  engine::Database& m_engine;
  const ListHeader& m_header;
  const PilotListOptions& m_options;
  const PilotTally m_before;
  LineReader m_reader;
  CDataObjectPtr m_pilot;
  std::vector<Variant> m_blank;
  std::map<int32_t, int32_t> m_lineOfKey;  // pilots this list added -> their line
  std::map<std::tuple<std::string, std::string, std::string>, int32_t> m_lineOfPerson;
};

}  // namespace

PilotListReport CDatabase::ImportPilotsFromCSV(const std::string& strPath, const PilotListOptions& options,
                                               DispatchPtr frmProgress) {
  return WithErrorTrap(kOperation, enumErrorAddDataObject,
                       [&] { return "Cannot import pilots from '" + strPath + "'"; },
                       [&] {
    const auto engineDb = DatabaseObject();
    if (!engineDb) throw RuntimeError(errObjectNotSet);
    ReportProgressIfAny(frmProgress, int16_t{1});
    const CsvTable table = ReadCsvFile(strPath);

    PilotListReport report;
    report.lines = static_cast<int32_t>(table.rows.size()) - 1;
    engine::OperationScope scope(*engineDb, true);
    try {
      const ListHeader header = ReadHeader(table.rows[0], *CreateDataObject("doPilot"), options, report.problems);
      ListImport import(*this, *engineDb, header, options);
      int16_t reported = 1;
      for (size_t i = 1; i < table.rows.size(); ++i) {
        import.Add(table.rows[i], report);
        const auto percent = static_cast<int16_t>(1 + i * 98 / table.rows.size());
        if (percent != reported) ReportProgressIfAny(frmProgress, reported = percent);
      }
      import.Count(report);
    } catch (...) {
      scope.Rollback();
      throw;
    }
    report.written = !options.dryRun && report.problems.empty();
    if (report.written) {
      scope.Commit();
      SetModified();
    } else {
      scope.Rollback();
    }
    ReportProgressIfAny(frmProgress, int16_t{100});
    return report;
  });
}

}  // namespace zazorazari
