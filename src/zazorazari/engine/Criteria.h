// Column = value conditions for a read or a search, handed to the engine as
// they are: each value is bound to a cached statement and each name checked
// against the columns, so no SQL text is written for them and none parsed
// back. Filter and order texts of hosts go through the dialect instead.
#pragma once

#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari::engine {

struct Criterion {
  std::string column;  // matched without regard to case
  Variant value;       // compared with "=" as the column compares; Null: IS NULL
};

using Criteria = std::vector<Criterion>;

}  // namespace zazorazari::engine
#pragma GCC visibility pop
