// A column's declared SQLite type ("TEXT(50) COLLATE NOCASE", "DATETIME")
// read as the engine's field type code and size.
#pragma once

#include <string>

#include "zazorazari/engine/FieldDef.h"

namespace zazorazari::engine {

// `declared` may be null (an expression column): type 0, size 0.
FieldDef FieldDefFromDeclaredType(const std::string& name, const char* declared);

inline bool IsTextType(int32_t type) { return type == dbText || type == dbMemo; }

}  // namespace zazorazari::engine
