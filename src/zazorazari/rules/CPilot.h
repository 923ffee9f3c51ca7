// Rules for writing and deleting pilots: the same-person search, the unique
// number and global identifier, the glider, origin and attribute values a
// pilot refers to, and one result row per task for a new pilot.
#pragma once

#include <cstdint>

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

namespace engine {
class Recordset;
}

class CPilot : public CRule {
 public:
  // The pilot's key, or the error value 3 (same person, by overwrite mode),
  // 7 (number held by another pilot) or 8 (global ID held by another
  // pilot); 7 and 8 hold whatever the overwrite mode and set
  // LastDuplicatedPk.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  // Deletes the pilot with his results, whatever bDeleteReferences says. 0.
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;

 private:
  // Each gives the key of the first other pilot that matches, or 0;
  // excludeKey (NULL: none) is the pilot being modified.
  int32_t FindDuplicatePilot(const CDataObject& dobj, const Variant& excludeKey);
  int32_t FindPilotByNumber(const CDataObject& dobj, const Variant& excludeKey);
  int32_t FindPilotByIDGlobal(const CDataObject& dobj, const Variant& excludeKey);
  int32_t FirstPilot(std::string sql, const Variant& excludeKey);

  Variant GetGliderPk(const CDataObject& dobj);
  Variant GetOriginPk(const CDataObject& dobj);
  Variant GetAttributeValuePk(const CDataObject& dobj, int slot);
  void SyncPilotAttributes(engine::Recordset& pilot);
  void AddResultsForPilot(const Variant& pilotKey);
};

}  // namespace zazorazari
