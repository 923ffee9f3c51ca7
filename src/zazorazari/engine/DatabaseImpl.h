// The state behind a Database: the shared connection.
#pragma once

#include <memory>

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/Database.h"

namespace zazorazari::engine {

struct Database::Impl {
  std::shared_ptr<Connection> connection;
};

}  // namespace zazorazari::engine
