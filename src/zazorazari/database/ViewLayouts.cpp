// Record layouts cached per view.
#include "zazorazari/database/ViewLayouts.h"

namespace zazorazari {

const RecordLayout& ViewLayouts::For(engine::Database& db, const std::string& view) {
  if (auto found = m_layouts.find(view); found != m_layouts.end()) return found->second;
  return m_layouts.emplace(view, RecordLayout(db.QueryDefs(view))).first->second;
}

}  // namespace zazorazari
