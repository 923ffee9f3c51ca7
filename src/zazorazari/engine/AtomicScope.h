// An all-or-nothing stretch of work on one connection. The outermost scope
// begins a write transaction (BEGIN IMMEDIATE); a scope opened inside a
// transaction sets a savepoint instead, so that undoing it leaves the
// enclosing work alone. Operation scopes opened inside join it.
#pragma once

#include <memory>
#include <string>

#include "zazorazari/engine/Database.h"

namespace zazorazari::engine {

class Connection;

class AtomicScope {
 public:
  explicit AtomicScope(Database& db);
  ~AtomicScope();  // undoes the work unless Commit() ran; never throws
  AtomicScope(const AtomicScope&) = delete;
  AtomicScope& operator=(const AtomicScope&) = delete;

  // Keeps the work: the outermost scope commits (raising the engine's error
  // if COMMIT fails, and then nothing stays), a nested one releases its
  // savepoint into the enclosing transaction.
  void Commit();
  // Undoes the work of this scope now.
  void Rollback();

 private:
  void Leave();

  std::shared_ptr<Connection> m_connection;
  std::string m_savepoint;  // empty for the outermost scope
  bool m_done = false;
};

}  // namespace zazorazari::engine
