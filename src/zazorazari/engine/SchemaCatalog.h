// The tables and views of a connection with their column definitions,
// looked up by name without regard to case and cached for the connection.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "zazorazari/engine/FieldDef.h"

namespace zazorazari::engine {

class Connection;

struct SchemaObject {
  std::string name;  // as the schema spells it
  bool isView = false;
  std::vector<FieldDef> fields;
  int keyColumn = -1;  // the INTEGER PRIMARY KEY column of a table
  // Only an AUTOINCREMENT key is the engine's counter; a key like forPk is
  // the writer's own value, 0 included.
  bool keyIsCounter = false;
  // The INSERT text of each set of written columns used so far: a row added
  // through a new recordset of the table takes it instead of writing it again.
  mutable std::unordered_map<std::vector<bool>, std::string> insertSql;
};

class SchemaCatalog {
 public:
  explicit SchemaCatalog(Connection& connection) : m_connection(connection) {}

  // The table or view named `name`; 3265 (with `source`) when there is none.
  const SchemaObject& Get(const std::string& name, const char* source);

 private:
  SchemaObject Load(const std::string& canonicalName, bool isView, const char* source);

  Connection& m_connection;
  std::unordered_map<std::string, std::unique_ptr<SchemaObject>> m_objects;  // by lower-case name
};

}  // namespace zazorazari::engine
