// Translation of the engine's SQL dialect ("SELECT * FROM x WHERE ... ORDER
// BY ...", "DELETE * FROM t WHERE ...", FindFirst criteria) into SQLite SQL.
// Every literal becomes a bound parameter, so statements that differ only in
// their values share one prepared statement.
#pragma once

#include <string>
#include <vector>

#include "zazorazari/engine/SqlText.h"

namespace zazorazari::engine {

struct OrderTerm {
  SqlText expression;
  bool descending = false;
};

struct SelectQuery {
  std::string source;  // table or view name as written
  SqlText where;       // empty when there is no WHERE
  std::vector<OrderTerm> order;
};

struct DeleteQuery {
  std::string table;
  SqlText where;
};

// True when the text is a statement (begins with SELECT) rather than a name.
bool IsSelectText(const std::string& text);

// Each fails with 3075 naming `text` when it is outside the dialect.
SelectQuery ParseSelect(const std::string& text, const char* source);
DeleteQuery ParseDelete(const std::string& text, const char* source);
SqlText TranslateCriteria(const std::string& text, const char* source);

// A table or column name as an SQLite identifier.
std::string QuoteName(const std::string& name);

}  // namespace zazorazari::engine
