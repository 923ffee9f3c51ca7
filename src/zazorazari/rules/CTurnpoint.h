// Rules of catalogue turnpoints: found by name, origin and position type;
// an identifier held by another turnpoint is refused whatever the overwrite mode.
#pragma once

#include <map>
#include <string>

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTurnpoint : public CRule {
 public:
  // Natural-key write on tblTurnpoint; finds or creates the origin and the
  // datum the record names. Error value 20 (and LastDuplicatedPk) when trnID
  // belongs to another turnpoint.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;  // 0; task turnpoints are kept

  // From KeepDatumKeys(true) to KeepDatumKeys(false) the key of each datum
  // name written is kept, so that a file of many turnpoints naming one datum
  // looks it up once. Only for an operation that meanwhile removes no datum.
  void KeepDatumKeys(bool bKeep);

 private:
  bool m_bKeepDatumKeys = false;
  std::map<std::string, Variant> m_datumKeys;
};

}  // namespace zazorazari
