// Pilot writes: refusals first, then the referenced catalogue rows, the
// pilot row with its attribute values, and the new pilot's result rows.
#include "zazorazari/rules/CPilot.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/rules/CRuleObjects.h"
#include "zazorazari/rules/ResultRows.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

const Variant& Value(const CDataObject& dobj, const std::string& name) { return dobj.Fields(name)->Value(); }

}  // namespace

int32_t CPilot::FirstPilot(std::string sql, const Variant& excludeKey) {
  if (!excludeKey.IsNull()) sql += " AND pilPk <> " + NumberText(excludeKey);
  auto rs = Engine().OpenRecordset(sql, engine::dbOpenDynaset);
  const int32_t key = rs->IsEOF() ? 0 : CLng(rs->Fields("pilPk").Value());
  rs->Close();
  return key;
}

int32_t CPilot::FindDuplicatePilot(const CDataObject& dobj, const Variant& excludeKey) {
  // Same names, and neither a known global ID nor a known birthday says
  // otherwise. The first name is quoted like any value, so O'Brien is found.
  std::string sql = "SELECT * FROM tblPilot WHERE " + SqlEqualText("pilLastName", Value(dobj, "pilLastName")) +
                    " AND " + SqlEqualText("pilFirstName", Value(dobj, "pilFirstName"));
  const Variant& idGlobal = Value(dobj, "pilIDGlobal");
  if (!idGlobal.IsNull()) sql += " AND (" + SqlEqualText("pilIDGlobal", idGlobal) + " OR ISNULL(pilIDGlobal))";
  const Variant& birthday = Value(dobj, "pilBirthday");
  if (!birthday.IsNull()) sql += " AND (pilBirthday = " + DateLiteral(birthday) + " OR ISNULL(pilBirthday))";
  return FirstPilot(sql, excludeKey);
}

int32_t CPilot::FindPilotByNumber(const CDataObject& dobj, const Variant& excludeKey) {
  const Variant& number = Value(dobj, "pilNumber");
  if (number.IsNull()) return 0;
  return FirstPilot("SELECT * FROM tblPilot WHERE " + SqlEqualNumber("pilNumber", number), excludeKey);
}

int32_t CPilot::FindPilotByIDGlobal(const CDataObject& dobj, const Variant& excludeKey) {
  const Variant& idGlobal = Value(dobj, "pilIDGlobal");
  if (idGlobal.IsNull()) return 0;
  return FirstPilot("SELECT * FROM tblPilot WHERE " + SqlEqualText("pilIDGlobal", idGlobal), excludeKey);
}

Variant CPilot::GetGliderPk(const CDataObject& dobj) {
  if (Value(dobj, "manName").IsNull()) return Variant::Null();
  CDataObjectPtr competition = Facade().CompetitionObject();
  if (!competition) throw RuntimeError(errObjectNotSet);
  CDataObjectPtr glider = Facade().CreateDataObject("doGlider");
  glider->FillFieldsFrom(dobj);
  // A glider created for a pilot flies in the competition's class.
  glider->Fields("gliFAIClass")->SetValue(competition->Fields("comFAIClass")->Value());
  return FacadeInternals::Rules(Facade()).Glider().Update(enumUpdateNew, *glider, enumOverwriteReturnPk);
}

Variant CPilot::GetOriginPk(const CDataObject& dobj) {
  if (Value(dobj, "natPk").IsNull() && Value(dobj, "natCode3").IsNull()) return Variant::Null();
  CDataObjectPtr origin = Facade().CreateDataObject("doOrigin");
  origin->FillFieldsFrom(dobj);
  return FacadeInternals::Rules(Facade()).Origin().Update(enumUpdateNew, *origin, enumOverwriteReturnPk);
}

Variant CPilot::GetAttributeValuePk(const CDataObject& dobj, int slot) {
  const Variant& value = Value(dobj, Slot("avaValue", slot));
  if (value.IsNull() || (value.VarType() == vtString && value.Text().empty())) return Variant::Null();
  CDataObjectPtr attributeValue = Facade().CreateDataObject("doAttributeValue");
  attributeValue->Fields("attName")->SetValue(Value(dobj, Slot("attName", slot)));
  attributeValue->Fields("avaValue")->SetValue(value);
  return CLng(FacadeInternals::Rules(Facade()).AttributeValue().Update(enumUpdateNew, *attributeValue, enumOverwriteReturnPk));
}

void CPilot::SyncPilotAttributes(engine::Recordset& pilot) {
  const Variant pilotKey = pilot.Fields(0).Value();
  const std::string pilotCriterion = SqlEqualNumber("pilPk", pilotKey);
  CDataObjectPtr competition = Facade().CompetitionObject();
  if (!competition) throw RuntimeError(errObjectNotSet);

  auto attributeValues = Engine().OpenRecordset("tblAttributeValue", engine::dbOpenDynaset);
  auto pilotAttributes = Engine().OpenRecordset("tblPilotAttribute", engine::dbOpenDynaset);
  auto held = Engine().OpenRecordset("SELECT * FROM doPilotAttribute WHERE " + pilotCriterion, engine::dbOpenDynaset);
  for (int slot = 1; slot <= 4; ++slot) {
    const Variant valueKey = pilot.Fields(Slot("avaPk", slot)).Value();
    if (!valueKey.IsNull()) {
      attributeValues->FindFirst(engine::Criteria{{"avaPk", NumberCriterion(valueKey)}});
      const Variant attribute = attributeValues->Fields("attPk").Value();
      held->FindFirst(SqlEqualNumber("attPk", attribute) + " AND " + pilotCriterion);
      if (held->NoMatch()) {
        pilotAttributes->AddNew();
        pilotAttributes->Fields("pilPk").SetValue(pilotKey);
        pilotAttributes->Fields("avaPk").SetValue(valueKey);
        pilotAttributes->Update();
      } else if (!IsEqualOrBothNull(held->Fields("avaPk").Value(), valueKey)) {
        pilotAttributes->FindFirst(engine::Criteria{{"patPk", NumberCriterion(held->Fields("patPk").Value())}});
        pilotAttributes->Edit();
        pilotAttributes->Fields("avaPk").SetValue(valueKey);
        pilotAttributes->Update();
      }
      continue;
    }
    // An empty slot removes the pilot's value of the slot's attribute.
    const Variant name = competition->Fields(Slot("attName", slot))->Value();
    if (name.IsNull()) continue;
    held->FindFirst(SqlEqualText("attName", name) + " AND " + pilotCriterion);
    if (held->NoMatch()) continue;
    Engine().Execute("DELETE * FROM tblPilotAttribute WHERE " + pilotCriterion + " AND " +
                     SqlEqualNumber("avaPk", held->Fields("avaPk").Value()));
  }
  held->Close();
  pilotAttributes->Close();
  attributeValues->Close();
}

void CPilot::AddResultsForPilot(const Variant& pilotKey) {
  auto tasks = Engine().OpenRecordset("tblTask", engine::dbOpenSnapshot);
  auto results = Engine().OpenRecordset("tblResult", engine::dbOpenDynaset);
  for (; !tasks->IsEOF(); tasks->MoveNext()) AddResultRow(*results, pilotKey, *tasks);
  results->Close();
  tasks->Close();
}

Variant CPilot::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  const bool modify = mode == enumUpdateModify;
  const Variant ownKey = modify ? dobj.Item(Variant(int32_t{1}))->Value() : Variant::Null();

  if (const int32_t duplicate = FindDuplicatePilot(dobj, ownKey)) {
    switch (lOverwriteMode) {
      case enumOverwriteForce: Delete(duplicate, true); break;
      case enumOverwriteRaiseError: return Variant::Error(enumInternalErrorRecordsetExists);
      case enumOverwriteReturnPk: return Variant(duplicate);
      default: break;
    }
  }
  if (const int32_t holder = FindPilotByNumber(dobj, ownKey)) {
    Facade().SetLastDuplicatedPk(holder);
    return Variant::Error(enumInternalErrorPilotSignExists);
  }
  if (const int32_t holder = FindPilotByIDGlobal(dobj, ownKey)) {
    Facade().SetLastDuplicatedPk(holder);
    return Variant::Error(enumInternalErrorPilotIDExists);
  }

  const Variant glider = GetGliderPk(dobj);
  const Variant origin = GetOriginPk(dobj);

  std::shared_ptr<engine::Recordset> rs;
  if (modify) {
    rs = Engine().OpenRecordset("SELECT * FROM tblPilot WHERE " + SqlEqualNumber("pilPk", ownKey),
                                engine::dbOpenDynaset);
    rs->Edit();
  } else {
    rs = Engine().OpenRecordset("tblPilot", engine::dbOpenDynaset);
    rs->AddNew();
  }
  dobj.SaveToDAORecordset(*rs);
  rs->Fields("gliPk").SetValue(glider);
  rs->Fields("oriPk").SetValue(origin);
  for (int slot = 1; slot <= 4; ++slot) rs->Fields(Slot("avaPk", slot)).SetValue(GetAttributeValuePk(dobj, slot));
  rs->Update();
  rs->SetBookmark(rs->LastModified());
  SyncPilotAttributes(*rs);

  // A catalogue keeps attribute values in tblPilotAttribute only: it has no
  // competition slots to mirror them in.
  if (Facade().FileType() != enumFileCompetition) {
    rs->Edit();
    for (int slot = 1; slot <= 4; ++slot) rs->Fields(Slot("avaPk", slot)).SetValue(Variant::Null());
    rs->Update();
    rs->SetBookmark(rs->LastModified());
  }
  const Variant key = rs->Fields(0).Value();
  if (!modify) AddResultsForPilot(key);
  rs->Close();
  return key;
}

Variant CPilot::Delete(int32_t lPk, bool) {
  Engine().Execute("DELETE * FROM tblResult WHERE pilPk=" + std::to_string(lPk));
  auto rs = Engine().OpenRecordset("SELECT * from tblPilot WHERE pilPk = " + std::to_string(lPk),
                                   engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(int32_t{0});
}

}  // namespace zazorazari
