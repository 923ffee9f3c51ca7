// Rules of geodetic datums: found by name, created with the name alone.
#include "zazorazari/rules/CGeoDate.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CGeoDate::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  NaturalKeyWrite how;
  how.strTable = "tblGeoDate";
  how.criteria = {{{"gedName", TextCriterion(dobj.Fields("gedName")->Value())}}};
  how.copiedColumns = {"gedName"};
  return WriteByNaturalKey(Engine(), mode, dobj, lOverwriteMode, how);
}

Variant CGeoDate::Delete(int32_t lPk, bool) {
  auto rs = Engine().OpenRecordset("SELECT * from tblGeoDate WHERE gedPk = " + std::to_string(lPk), engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(0);
}

}  // namespace zazorazari
