// Merges the rows of one table from a database file (root "ZOLT") into the
// open database by primary key: rows whose key exists are overwritten (by
// the table's own rules), other rows are added with the file's key.
#pragma once

#include <string>

#include "zazorazari/interchange/XmlRowSource.h"

namespace zazorazari::engine {
class Database;
}

namespace zazorazari::interchange {

// Every failure leaves as enumErrorImportXML, source
// "ZAZorazari.CDatabase.UpdateDBFromXML", with the error information text of
// the cause; rows before the failing one stay written, the failing one is
// not. Keys must be numbers and attribute names columns of the table.
void UpdateDBFromXML(engine::Database& db, const XmlRowSource& elements, const std::string& strTable);

}  // namespace zazorazari::interchange
