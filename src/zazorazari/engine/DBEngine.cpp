// The per-thread engine: opening and compacting database files.
#include "zazorazari/engine/DBEngine.h"

#include <filesystem>

#include "zazorazari/engine/DatabaseImpl.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/platform/FileReplacement.h"

namespace zazorazari::engine {

DBEngine& DBEngine::ForThisThread() {
  thread_local DBEngine engine;
  return engine;
}

std::shared_ptr<Database> DBEngine::OpenDatabase(const std::string& path) {
  auto impl = std::make_unique<Database::Impl>();
  impl->connection = Connection::Open(path, kDatabaseSource);
  return std::shared_ptr<Database>(new Database(std::move(impl)));
}

void DBEngine::CompactDatabase(const std::string& source, const std::string& destination) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(destination, ec)))
    throw EngineError(errEngineDatabaseExists, kDatabaseSource);
  // Opening rolls back a journal a killed writer left, so the copy holds
  // the last committed state.
  std::shared_ptr<Connection> connection = Connection::Open(source, kDatabaseSource);
  // The destination appears only complete, so a kill never leaves half a copy.
  files::ReplaceFile(destination, {.followLink = false, .mustBeNew = true}, [&](const std::string& temporary) {
    SqlText vacuum;
    vacuum += "VACUUM INTO ";
    vacuum.AddParam(Variant(temporary));
    connection->Run(vacuum, kDatabaseSource, source);
  });
  connection->Close();
}

}  // namespace zazorazari::engine
