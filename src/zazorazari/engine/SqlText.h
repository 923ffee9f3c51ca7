// SQL text under construction together with the values bound to its "?"
// marks, kept in the order the marks appear so fragments can be joined.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

struct SqlText {
  std::string sql;
  std::vector<Variant> params;

  SqlText& operator+=(std::string_view text) {
    sql += text;
    return *this;
  }
  SqlText& operator+=(const SqlText& other) {
    sql += other.sql;
    params.insert(params.end(), other.params.begin(), other.params.end());
    return *this;
  }
  void AddParam(Variant value) {
    sql += '?';
    params.push_back(std::move(value));
  }
  bool empty() const { return sql.empty(); }
};

}  // namespace zazorazari::engine
