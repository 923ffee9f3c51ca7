// The engine object: one per thread, opens and compacts database files.
#pragma once

#include <memory>
#include <string>

#include "zazorazari/engine/Database.h"

#pragma GCC visibility push(default)
namespace zazorazari::engine {

class DBEngine {
 public:
  static DBEngine& ForThisThread();

  // Opens an existing file for reading and writing, never creating one:
  // 3024 missing, 3343 not a database, 3051 locked or read-only.
  std::shared_ptr<Database> OpenDatabase(const std::string& path);

  // VACUUM INTO a new file; 3204 when the destination exists.
  void CompactDatabase(const std::string& source, const std::string& destination);
};

}  // namespace zazorazari::engine
#pragma GCC visibility pop
