// Build step that turns the schema's SQL files and the nation list into the
// template database every new competition or catalogue file is copied from.
//
//   zazorazari_build_template <output.mdb> <nations.csv> <file.sql>...
//
// The file is written under a temporary name and renamed when complete, so a
// failed build never leaves a half-made template behind.
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class Connection {
 public:
  explicit Connection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
      Fail("cannot create " + path);
    }
    // As in every connection of the library: a double-quoted word is a name,
    // never a text literal.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  }
  ~Connection() { sqlite3_close(m_db); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void Exec(const std::string& sql, const std::string& what) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      std::string text = message != nullptr ? message : sqlite3_errmsg(m_db);
      sqlite3_free(message);
      throw std::runtime_error(what + ": " + text);
    }
  }

  std::string QueryText(const std::string& sql) {
    sqlite3_stmt* stmt = Prepare(sql);
    std::string result;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
      const unsigned char* text = sqlite3_column_text(stmt, 0);
      if (text != nullptr) result = reinterpret_cast<const char*>(text);
    }
    sqlite3_finalize(stmt);
    return result;
  }

  sqlite3_stmt* Prepare(const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) Fail(sql);
    return stmt;
  }

  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + (m_db != nullptr ? sqlite3_errmsg(m_db) : "out of memory"));
  }

 private:
  sqlite3* m_db = nullptr;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// One CSV record: fields separated by commas, a field in double quotes may
// hold commas and doubled quotes.
std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (quoted) throw std::runtime_error("unterminated quote in: " + line);
  return fields;
}

// Nations keyed by their ISO 3166-1 numeric code, which is also natNumber.
int LoadNations(Connection& db, const std::string& csvPath) {
  std::istringstream lines(ReadFile(csvPath));
  sqlite3_stmt* insert = db.Prepare(
      "INSERT INTO tblNation (natPk, natName, natCode2, natCode3, natNumber) VALUES (?1, ?2, ?3, ?4, ?1)");
  std::string line;
  int lineNumber = 0;
  int count = 0;
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (lineNumber == 1 || line.empty()) continue;  // header
    const std::vector<std::string> f = SplitCsvLine(line);
    const std::string where = csvPath + ":" + std::to_string(lineNumber);
    if (f.size() != 4 || f[1].size() != 2 || f[2].size() != 3) {
      sqlite3_finalize(insert);
      throw std::runtime_error(where + ": expected numeric,alpha2,alpha3,name");
    }
    char* end = nullptr;
    const long number = std::strtol(f[0].c_str(), &end, 10);
    if (f[0].empty() || *end != '\0' || number <= 0) {
      sqlite3_finalize(insert);
      throw std::runtime_error(where + ": bad numeric code '" + f[0] + "'");
    }
    sqlite3_bind_int(insert, 1, static_cast<int>(number));
    sqlite3_bind_text(insert, 2, f[3].c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, f[1].c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 4, f[2].c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(insert) != SQLITE_DONE) {
      sqlite3_finalize(insert);
      db.Fail(where);
    }
    sqlite3_reset(insert);
    ++count;
  }
  sqlite3_finalize(insert);
  return count;
}

void Build(const std::string& path, const std::string& nationsCsv, const std::vector<std::string>& sqlFiles) {
  Connection db(path);
  db.Exec("PRAGMA journal_mode=DELETE", "journal mode");
  db.Exec("BEGIN", "begin");
  for (const std::string& file : sqlFiles) db.Exec(ReadFile(file), file);
  if (LoadNations(db, nationsCsv) == 0) throw std::runtime_error(nationsCsv + ": no nations");
  db.Exec("COMMIT", "commit");
  const std::string check = db.QueryText("PRAGMA integrity_check");
  if (check != "ok") throw std::runtime_error("integrity check: " + check);
  db.Exec("VACUUM", "vacuum");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: " << argv[0] << " <output.mdb> <nations.csv> <file.sql>...\n";
    return 2;
  }
  const std::filesystem::path output = argv[1];
  const std::filesystem::path partial = output.string() + ".partial";
  try {
    std::filesystem::remove(partial);
    Build(partial.string(), argv[2], std::vector<std::string>(argv + 3, argv + argc));
    std::filesystem::rename(partial, output);
  } catch (const std::exception& e) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    std::cerr << "template: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
