// Rules of origins: one origin per nation and region, where the short form of
// the region names the same origin as the long form. Nations are read only.
#include "zazorazari/rules/COrigin.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant COrigin::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  engine::Database& db = Engine();
  const CFieldPtr natPk = dobj.Fields("natPk");
  const Variant& natCode3 = dobj.Fields("natCode3")->Value();
  if (!natCode3.IsNull() && natPk->Value().IsNull()) {
    auto nations = db.OpenRecordset("SELECT * FROM tblNation WHERE " + SqlEqualText("natCode3", natCode3),
                                    engine::dbOpenSnapshot);
    const bool known = !nations->IsEOF();
    if (known) natPk->SetValue(nations->Fields("natPk").Value());
    nations->Close();
    if (!known) return Variant::Null();  // callers store no origin
  }

  const engine::Criterion byNation{"natPk", NumberCriterion(natPk->Value())};
  NaturalKeyWrite how;
  how.strTable = "tblOrigin";
  how.criteria = {{byNation, {"oriRegion", TextCriterion(dobj.Fields("oriRegion")->Value())}}};
  const Variant& oriRegionShort = dobj.Fields("oriRegionShort")->Value();
  if (!oriRegionShort.IsNull()) how.criteria.push_back({byNation, {"oriRegionShort", TextCriterion(oriRegionShort)}});
  how.copiedColumns = {"oriRegion", "oriRegionShort", "natPk"};
  return WriteByNaturalKey(db, mode, dobj, lOverwriteMode, how);
}

Variant COrigin::Delete(int32_t lPk, bool) {
  auto rs = Engine().OpenRecordset("SELECT * from tblOrigin WHERE oriPk = " + std::to_string(lPk), engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(0);
}

}  // namespace zazorazari
