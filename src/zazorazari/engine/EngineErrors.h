// Turns SQLite result codes into the engine's DAO error numbers, so that every
// failure leaves the engine as a zazorazari::Error.
#pragma once

#include <sqlite3.h>

#include <string>

#include "zazorazari/platform/Error.h"

namespace zazorazari::engine {

inline constexpr const char* kDatabaseSource = "Engine.Database";
inline constexpr const char* kRecordsetSource = "Engine.Recordset";
inline constexpr const char* kFieldSource = "Engine.Field";

// The error for a failed SQLite call. `text` is the query text the caller
// gave (named by 3075), `path` the database file (named by 3051 and 3343).
Error SqliteError(sqlite3* db, int rc, const char* source, const std::string& text,
                  const std::string& path);

// 3420: a recordset or database used after Close.
Error ObjectClosedError(const char* source);

}  // namespace zazorazari::engine
