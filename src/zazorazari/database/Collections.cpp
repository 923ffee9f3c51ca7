// Lists of one owner's records (a pilot's attributes, a task's turnpoints):
// reading them filtered and ordered, and writing them back as a whole.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

CDataObjectCollectionPtr CDatabase::CreateDataObjectCollection(const std::string& strType) {
  return GetDataObjectCollection(strType, 0);
}

CDataObjectCollectionPtr CDatabase::GetDataObjectCollection(const std::string& strType, int32_t lPk,
                                                            const Variant& strFilter, const Variant& strOrder) {
  auto collection = std::make_shared<CDataObjectCollection>();
  collection->SetName(strType);
  const CollectionType* type = FindCollectionType(strType);
  if (type == nullptr) {
    throw Error(enumErrorUndefinedDataObject, FacadeSource("GetDataObjectCollection"),
                "Undefined data object collection type'" + strType + "'");
  }
  WithErrorTrap("GetDataObjectCollection", enumErrorGetDataObjectCollection,
                [&] { return "Cannot get data object collection '" + strType + "'"; }, [&] {
                  InTransaction(*this, false, [&] {
                    collection->BuildFromDAOQuery(*this, type->memberView, type->keyField, type->selectorField, lPk,
                                                  strFilter, strOrder);
                  });
                });
  return collection;
}

void CDatabase::UpdateDataObjectCollection(CDataObjectCollection& dobj) {
  const std::string name = dobj.Name();
  const bool pilotAttributes = name == "docPilotAttribute";
  if (!pilotAttributes && name != "docTaskTurnpoint") {
    throw Error(enumErrorUndefinedDataObject, FacadeSource("UpdateDataObjectCollection"),
                "Undefined data object collection type'" + name + "'");
  }
  WithErrorTrap("UpdateDataObjectCollection", enumErrorUpdateDataObjectCollection,
                [&] { return "Cannot update data object collection '" + name + "'"; }, [&] {
                  for (const auto& member : dobj) RefuseNulText(*member, "UpdateDataObjectCollection");
                  InTransaction(*this, true, [&] {
                    if (pilotAttributes) {
                      m_objRules->PilotAttributeCollection().Update(dobj);
                    } else {
                      m_objRules->TaskTurnpointCollection().Update(dobj);
                    }
                    m_bModified = true;
                  });
                });
}

}  // namespace zazorazari
