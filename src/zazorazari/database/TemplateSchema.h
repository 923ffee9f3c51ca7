// What the schema of a database file of this program may hold: the tables
// and views of the template, under their names, and no trigger. Anything
// else came from elsewhere and could run someone else's code.
#pragma once

#include <string>
#include <vector>

namespace zazorazari {

namespace engine {
class Database;
}

// The file's triggers and the tables and views the template does not have,
// each as "trigger 'name'", "table 'name'" or "view 'name'".
std::vector<std::string> ForeignSchemaObjects(engine::Database& db);

}  // namespace zazorazari
