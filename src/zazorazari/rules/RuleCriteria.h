// Criterion pieces the rule classes join into engine SQL. Every value goes in
// as a checked number or a quoted literal, never as raw text.
#pragma once

#include <memory>
#include <string>

#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Database;
class Recordset;
}  // namespace engine

// The decimal text of a key or other number (13 when it is none, 94 for NULL).
std::string NumberText(const Variant& value);

// A number compared in typed criteria, refused as SqlEqualNumber refuses
// it (13): the number itself, the number a text, date or boolean stands
// for, or Null (which finds NULL).
Variant NumberCriterion(const Variant& value);

// A text compared in typed criteria, refused as SqlEqualText refuses it
// (13): the text, the empty text for Empty, or Null (which finds NULL).
Variant TextCriterion(const Variant& value);

// "#m/d/yyyy#" of a date value, the literal form the engine reads.
std::string DateLiteral(const Variant& value);

// The name of `table`'s column that matches `name` ignoring case; 3265 when
// there is none, so a field name never reaches SQL unchecked.
std::string TableColumn(engine::Database& db, const std::string& table, const std::string& name);

// The key of the row the recordset's last Update wrote. A key is its row's
// id (the file format declares every key INTEGER PRIMARY KEY), so a 32-bit
// one is answered without reading the row.
Variant LastModifiedKey(const engine::Recordset& rs);

// The numbered field names of the competition's four attribute slots.
std::string Slot(const char* prefix, int slot);

}  // namespace zazorazari
