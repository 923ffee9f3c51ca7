// One public operation's transaction: the outermost scope begins it, nested
// scopes join it, and it is committed when the outermost scope ends, whether
// the operation succeeded or failed (what was written before a failure
// stays written). All-or-nothing work uses an AtomicScope instead.
#pragma once

#include <memory>

#include "zazorazari/engine/Database.h"

namespace zazorazari::engine {

class Connection;

class OperationScope {
 public:
  // bMayWrite: BEGIN IMMEDIATE, else BEGIN DEFERRED.
  OperationScope(Database& db, bool bMayWrite);
  ~OperationScope();  // commits if still open; never throws
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

  // Ends the outermost scope now, raising the engine's error if COMMIT
  // fails (then nothing of the operation stays). Nested: does nothing.
  void Commit();

 private:
  void End(bool raise);

  std::shared_ptr<Connection> m_connection;  // the transaction's owner
  bool m_outermost = false;
  bool m_done = false;
};

}  // namespace zazorazari::engine
