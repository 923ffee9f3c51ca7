// Rules for writing and deleting tasks: the task row, its formula parameter
// row for the competition's formula, and one result row per pilot.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CTask : public CRule {
 public:
  // The task key; the overwrite mode is not consulted (tasks have no
  // natural key). A new task gets one empty result row per pilot.
  Variant Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) override;
  // Deletes the task's results and the task row; turnpoints and formula
  // rows stay. 0.
  Variant Delete(int32_t lPk, bool bDeleteReferences) override;

  // One empty result row per pilot, in pilot order.
  void AddResultsForTask(int32_t pkTask);
  void DeleteResultsForTask(int32_t pkTask);

 private:
  void SaveFormulaParameter(const Variant& taskKey, const CDataObject& dobj);
};

}  // namespace zazorazari
