// Adds and overwrites the rows of one table, each row found by the value of
// one column, for imports that merge many rows: the search, the insert and
// the update are prepared once per column set and reused for every row, the
// values bound directly. Values are converted as a recordset field converts
// them, and the rows are written as a recordset's Update writes them. New
// rows wait to be inserted several in one statement (which costs much less
// than a statement each); a full statement's rows are inserted on a thread
// of their own while the caller goes on to the next rows, and every waiting
// row is inserted before any search or overwrite that could see it, and by
// Flush. Into a table that was empty when the writer began, a search by key
// beyond every key written so far answers "none" without asking SQLite.
#pragma once

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zazorazari/platform/BackgroundJobs.h"
#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/Variant.h"

struct sqlite3_stmt;

namespace zazorazari::engine {

class Connection;
class Database;
struct SchemaObject;

class KeyedTableWriter {
 public:
  // Fails as Database::OpenRecordset fails for a name that is no table or view.
  KeyedTableWriter(Database& db, const std::string& table);
  ~KeyedTableWriter();
  KeyedTableWriter(const KeyedTableWriter&) = delete;
  KeyedTableWriter& operator=(const KeyedTableWriter&) = delete;

  // The column of that name, without regard to case; -1 when there is none.
  int ColumnIndex(const char* name) const;
  // Whether the schema gives the column a default: a new row that leaves it
  // unset takes that default instead of NULL.
  bool HasDefault(int column) const { return m_hasDefault[static_cast<size_t>(column)]; }

  // The first row (in row id order) whose column equals `value` becomes the
  // row that an overwrite writes; false when there is none.
  bool Find(int column, const Variant& value);

  // A new row with no column set, or the overwrite of the row found last.
  // A view refuses both (3027).
  void BeginNew();
  void BeginOverwrite();
  // 3421 (Engine.Field) when the value does not convert to the column.
  void Set(int column, const Variant& value);
  // Inserts the new row (a counter key left NULL or 0 is assigned by
  // SQLite) or writes the set columns of the found row; nothing when no
  // column of an overwrite was set.
  void Write();
  // Inserts the new rows still waiting. Call it when the rows end and before
  // a failure leaves the writer: the rows written before the failing one are
  // then in the table, and a failure among them is raised instead, as it
  // came first. A waiting row that fails is raised with the error its own
  // insert gives (by Flush or by a later call); the rows before it stay
  // inserted, the rows after it are not.
  void Flush();

 private:
  // One prepared statement per set of written columns (and rows of values).
  struct Prepared {
    std::vector<bool> columns;
    size_t rows;
    sqlite3_stmt* stmt;
  };
  // New rows of one set of written columns, their values row after row.
  struct Batch {
    std::vector<bool> columns;
    std::vector<Variant> values;
    size_t rows = 0;
  };
  sqlite3_stmt* PreparedFor(std::vector<Prepared>& cache, const std::vector<bool>& columns, size_t rows, bool insert);
  // The waiting rows, which then wait no more.
  Batch TakePending();
  void Insert(const Batch& batch);
  // Binds `count` values (and the row id), steps and resets; the error when
  // SQLite refuses.
  std::optional<Error> Run(sqlite3_stmt* stmt, const Variant* values, size_t count, const Variant* rowid);
  bool PendingMayHold(int column, const Variant& value) const;
  // The new rows of `width` written columns one statement inserts.
  size_t BatchRows(size_t width) const;

  std::shared_ptr<Connection> m_connection;
  const SchemaObject& m_table;
  size_t m_maxVariables;
  std::vector<bool> m_hasDefault;
  std::vector<sqlite3_stmt*> m_finds;  // by the searched column
  // True while the table holds only rows this writer inserted, each with
  // its key given; m_highestKey is the highest of them.
  bool m_onlyKnownKeys = false;
  double m_highestKey = -std::numeric_limits<double>::infinity();
  std::vector<Prepared> m_inserts;
  std::vector<Prepared> m_updates;

  bool m_new = false;
  int64_t m_found = 0;
  std::vector<Variant> m_values;
  std::vector<bool> m_set;
  std::vector<int> m_setColumns;  // to clear them for the next row

  // The new rows waiting: their written columns (one set for all), their
  // values row after row, and their keys (NaN for one SQLite assigns).
  std::vector<bool> m_pendingColumns;
  std::vector<Variant> m_pendingValues;
  std::vector<double> m_pendingKeys;
  size_t m_pendingRows = 0;
  // Inserts full statements while the next rows are converted; the
  // connection is the writer's again once it has waited for them.
  BackgroundJobs m_inserting{2};
};

}  // namespace zazorazari::engine
