// Rules for writing the competition (or catalogue) record: its four pilot
// attribute slots chosen by name, its formula parameters, and the pilots'
// mirrored attribute values that depend on the slots.
#pragma once

#include <cstdint>

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

namespace engine {
class Recordset;
}

class CCompetition : public CRule {
 public:
  // Modifies the one competition row; 23 for an add. Reloads the facade's
  // CompetitionObject afterwards.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;

  // Recomputes avaPk1 to avaPk4 of every pilot from his attribute values for
  // the competition's four attributes. vrsCompetition, when given, stands on
  // the competition row.
  void LoadPilotAttributeValues(engine::Recordset* vrsCompetition = nullptr);

  // Fills attName1-4 and avaValue1-4 of a pilot read from another file with
  // his values there for this competition's attributes, matched by name. 0.
  int32_t LoadPilotAttributeValue(CDataObject& dobjPilot, CDatabase& objAnotherDatabase);

 private:
  Variant GetAttributePk(const CDataObject& dobj, int slot);
  void SaveFormulaParameter(const CDataObject& dobj);
  void AddMissingTaskFormulaRows(engine::Recordset& competition);
};

}  // namespace zazorazari
