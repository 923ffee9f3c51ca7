// SQLite result codes to engine error numbers.
#include "zazorazari/engine/EngineErrors.h"

#include <cstring>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

bool StartsWith(const char* text, const char* prefix) {
  return text != nullptr && std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

Error SqliteError(sqlite3* db, int rc, const char* source, const std::string& text,
                  const std::string& path) {
  switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
      return EngineError(errEngineCannotOpen, source, path);
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_NOMEM:
      return EngineError(errEngineOutOfMemoryOrDisk, source);
    case SQLITE_CONSTRAINT:
      return EngineError(errEngineDuplicateKey, source);
    case SQLITE_MISMATCH:
      return EngineError(errEngineConversion, source);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      return EngineError(errEngineUnrecognizedFormat, source, path);
    case SQLITE_READONLY:
      return EngineError(errEngineReadOnly, source);
    default:
      break;
  }
  const char* message = db != nullptr ? sqlite3_errmsg(db) : nullptr;
  if (StartsWith(message, "no such table") || StartsWith(message, "no such column"))
    return EngineError(errEngineItemNotFound, source);
  return EngineError(errEngineSyntax, source, text);
}

Error ObjectClosedError(const char* source) {
  return Error(3420, source, "Object invalid or no longer set.");
}

}  // namespace zazorazari::engine
