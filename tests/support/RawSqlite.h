// The file read and written past the library, with the sqlite3 library itself:
// how tests set up rows another program could have written and check what the
// component stored. One connection per object, closed with it.
#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace zaztest {

using Strings = std::vector<std::string>;

class RawSqlite {
 public:
  // Read-write by default, so that opening rolls back a hot journal as the
  // next opener of the file would; Create makes the file when it is missing.
  // Throws std::runtime_error when it cannot open.
  enum class Mode { ReadWrite, ReadOnly, Create };
  explicit RawSqlite(const std::string& path, Mode mode = Mode::ReadWrite);
  ~RawSqlite();
  RawSqlite(const RawSqlite&) = delete;
  RawSqlite& operator=(const RawSqlite&) = delete;

  // Runs one or more statements; throws with SQLite's message on failure.
  void Exec(const std::string& sql) const;
  // Every row of a query, each column as text ("NULL" for NULL).
  std::vector<Strings> Rows(const std::string& sql) const;
  // The first column of every row.
  Strings Column(const std::string& sql) const;
  // The first column of the first row ("" for no row or NULL).
  std::string Scalar(const std::string& sql) const;
  // Result column names of SELECT * FROM `source`, or their declared types.
  Strings ColumnNames(const std::string& source, bool declaredTypes = false) const;
  // Every table (sqlite_sequence included), rows in key order, each value with
  // its storage class: two files hold the same data exactly when dumps agree.
  std::string Dump() const;
  // "ok" for a sound file, else SQLite's list of what is broken.
  std::string IntegrityCheck() const;

 private:
  sqlite3* m_db = nullptr;
};

}  // namespace zaztest
