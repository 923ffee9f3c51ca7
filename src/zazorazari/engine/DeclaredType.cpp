// Declared column types to field type codes and sizes.
#include "zazorazari/engine/DeclaredType.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace zazorazari::engine {

namespace {

struct TypeName {
  const char* name;
  int32_t type;
  int32_t size;
};

const TypeName kTypeNames[] = {
    {"BOOLEAN", dbBoolean, 1}, {"BYTE", dbByte, 1},         {"SMALLINT", dbInteger, 2},
    {"INTEGER", dbLong, 4},    {"CURRENCY", dbCurrency, 8}, {"SINGLE", dbSingle, 4},
    {"DOUBLE", dbDouble, 8},   {"DATETIME", dbDate, 8},     {"TEXT", dbText, 255},
    {"LONGTEXT", dbMemo, 0},   {"NUMERIC", dbNumeric, 16},
};

}  // namespace

FieldDef FieldDefFromDeclaredType(const std::string& name, const char* declared) {
  FieldDef def{name, 0, 0};
  if (declared == nullptr) return def;
  std::string upper;
  for (const char* p = declared; *p != '\0'; ++p) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  size_t pos = upper.find_first_not_of(' ');
  if (pos == std::string::npos) return def;
  size_t end = pos;
  while (end < upper.size() && std::isalpha(static_cast<unsigned char>(upper[end]))) ++end;
  const std::string word = upper.substr(pos, end - pos);
  for (const TypeName& known : kTypeNames) {
    if (word != known.name) continue;
    def.Type = known.type;
    def.Size = known.size;
    const size_t open = upper.find_first_not_of(' ', end);
    if (known.type == dbText && open != std::string::npos && upper[open] == '(')
      def.Size = static_cast<int32_t>(std::strtol(upper.c_str() + open + 1, nullptr, 10));
    return def;
  }
  // Not one of the engine's own names: fall back on SQLite's affinity rules.
  if (upper.find("INT") != std::string::npos) {
    def.Type = dbLong;
    def.Size = 4;
  } else if (upper.find("CHAR") != std::string::npos || upper.find("CLOB") != std::string::npos ||
             upper.find("TEXT") != std::string::npos) {
    def.Type = dbText;
    def.Size = 255;
  } else if (upper.find("REAL") != std::string::npos || upper.find("FLOA") != std::string::npos ||
             upper.find("DOUB") != std::string::npos) {
    def.Type = dbDouble;
    def.Size = 8;
  }
  return def;
}

}  // namespace zazorazari::engine
