// The record layout of each view the facade reads records from, made on the
// first read and kept while the database stays open.
#pragma once

#include <map>
#include <string>

#include "zazorazari/dataobject/RecordLayout.h"
#include "zazorazari/engine/Database.h"

namespace zazorazari {

class ViewLayouts {
 public:
  const RecordLayout& For(engine::Database& db, const std::string& view);
  // Another file may have other columns.
  void Clear() { m_layouts.clear(); }

 private:
  std::map<std::string, RecordLayout, std::less<>> m_layouts;
};

}  // namespace zazorazari
