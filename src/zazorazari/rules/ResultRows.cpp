// One pilot's empty result row for one task.
#include "zazorazari/rules/ResultRows.h"

#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/Recordset.h"

namespace zazorazari {

void AddResultRow(engine::Recordset& results, const Variant& pilotKey, engine::Recordset& task) {
  results.AddNew();
  results.Fields("pilPk").SetValue(pilotKey);
  results.Fields("tasPk").SetValue(task.Fields(0).Value());
  // ZOLT tasks start every pilot at the opening of the speed section.
  const Variant taskType = task.Fields("tasTaskType").Value();
  if (taskType.VarType() == vtString && taskType.Text() == "ZOLT") {
    results.Fields("resSSTime").SetValue(task.Fields("tasSSOpen").Value());
  }
  results.Update();
}

}  // namespace zazorazari
