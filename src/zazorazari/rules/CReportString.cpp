// Rules of report strings: one row per text and category.
#include "zazorazari/rules/CReportString.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

// The category column holds numbers; it is compared as a quoted literal,
// which the engine reads back as the number.
Variant CategoryText(const Variant& category) {
  if (category.IsNull() || category.IsEmpty() || category.VarType() == vtString) return category;
  return Variant(CStr(category));
}

}  // namespace

Variant CReportString::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  NaturalKeyWrite how;
  how.strTable = "tblReportString";
  how.criteria = {{{"rstText", TextCriterion(dobj.Fields("rstText")->Value())},
                   {"rstCategory", TextCriterion(CategoryText(dobj.Fields("rstCategory")->Value()))}}};
  how.copiedColumns = {"rstCategory", "rstText"};
  return WriteByNaturalKey(Engine(), mode, dobj, lOverwriteMode, how);
}

Variant CReportString::Delete(int32_t lPk, bool) {
  Engine().Execute("DELETE * FROM tblReportString WHERE rstPk = " + std::to_string(lPk));
  return Variant(0);
}

}  // namespace zazorazari
