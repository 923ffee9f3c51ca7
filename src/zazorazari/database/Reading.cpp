// Reading records by type name and key, and naming them for questions.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/database/ViewLayouts.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari {

namespace {

// A new pilot record carries the names of the competition's four attributes.
void FillAttributeNames(CDataObject& pilot, const CDataObjectPtr& competition) {
  static const char* const kSlots[] = {"attName1", "attName2", "attName3", "attName4"};
  for (const char* slot : kSlots) {
    CFieldPtr field = pilot.Fields(slot);
    if (!field->Value().IsNull()) continue;
    if (!competition) throw RuntimeError(errObjectNotSet);
    field->SetValue(competition->Fields(slot)->Value());
  }
}

}  // namespace

CDataObjectPtr CDatabase::CreateDataObject(const std::string& strType) { return GetDataObject(strType, 0); }

CDataObjectPtr CDatabase::GetDataObject(const std::string& strType, int32_t lPk) {
  const DataObjectType* type = FindDataObjectType(strType);
  if (type == nullptr) {
    throw Error(enumErrorUndefinedDataObject, FacadeSource("GetDataObject"),
                "Undefined data object '" + strType + "'");
  }
  return WithErrorTrap(
      "GetDataObject", enumErrorGetDataObject,
      [&] { return "Cannot get data object '" + strType + "' with id=" + std::to_string(lPk); },
      [&] {
        return InTransaction(*this, false, [&] {
          if (!m_objDatabase) throw RuntimeError(errObjectNotSet);
          engine::Database& engineDb = *m_objDatabase;
          auto dobj = m_objLayouts->For(engineDb, type->view)
                          .NewRecord(strType, ViewRowValues(engineDb, type->view, type->keyAlwaysOne ? 1 : lPk));
          for (const char* name : type->required) dobj->Fields(name)->SetRequired(true);
          if (strType == "doPilot") FillAttributeNames(*dobj, m_objCompetition);
          return dobj;
        });
      });
}

bool CDatabase::SupportsReferenceDelete(const std::string& strType) const {
  return strType == "doAttributeValue" || strType == "doPilotAttribute";
}

std::string CDatabase::DisplayName(const CDataObject& dobj) const {
  const auto* fields = DisplayNameFields(dobj.Name());
  if (fields == nullptr) return "?";
  std::string text;
  for (size_t i = 0; i < fields->size(); ++i) {
    if (i > 0) text += " ";
    text += CStr(dobj.Fields((*fields)[i])->Value());
  }
  return text;
}

}  // namespace zazorazari
