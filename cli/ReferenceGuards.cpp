// Checks made before the record commands write.
#include "ReferenceGuards.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace zazorazari::cli {

void RefuseMissingReferences(CDatabase& db, const CDataObject& record, const std::vector<Assignment>& typed) {
  std::vector<std::string> names;
  for (const Assignment& assignment : typed) names.push_back(assignment.first);
  if (names.empty()) return;
  const auto missing = db.MissingReferences(record, names);
  if (missing.empty()) return;
  std::string text = "Nothing written: ";
  for (size_t i = 0; i < missing.size(); ++i) text += (i ? " " : "") + missing[i].strDescription;
  throw std::runtime_error(text + " Give the key of an existing row, or leave the field empty.");
}

void RefuseDeleteOfReferenced(CDatabase& db, const std::string& type, int32_t key, bool force) {
  static const std::set<std::string> guarded{"doTurnpoint", "doGlider", "doOrigin", "doGeoDate"};
  if (force || guarded.count(type) == 0) return;
  const auto references = db.ReferencesTo(type, key);
  if (references.empty()) return;
  std::string text = "Nothing deleted: " + type + " " + std::to_string(key) + " is still referred to by " +
                     std::to_string(references.size()) + (references.size() == 1 ? " row" : " rows") + " (";
  const size_t shown = std::min<size_t>(references.size(), 5);
  for (size_t i = 0; i < shown; ++i) {
    text += (i ? ", " : "") + references[i].strTable + " " + std::to_string(references[i].lPk);
  }
  throw std::runtime_error(text + (references.size() > shown ? ", ..." : "") +
                           "). Change those rows first, or add --force to delete it anyway.");
}

}  // namespace zazorazari::cli
