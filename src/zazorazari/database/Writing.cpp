// Adding, updating and deleting records through the rule object of their
// type, with rule refusals turned into public error numbers.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/RuleDispatch.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRule.h"

namespace zazorazari {

namespace {

// The public number of a rule's internal code, with the overflow check of
// the addition.
int32_t PublicErrorNumber(int32_t code) {
  int32_t number = 0;
  if (__builtin_add_overflow(kErrorBase, code, &number)) throw RuntimeError(errOverflow);
  return number;
}

PassThroughError UndefinedType(const std::string& operation, const std::string& name) {
  return PassThroughError(enumErrorUndefinedDataObject, operation, "Undefined data object type'" + name + "'");
}

}  // namespace

Variant CDatabase::AddDataObjectInternal(CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  auto dispatch = FindRuleDispatch(*m_objRules, dobj.Name());
  if (!dispatch) throw Error(UndefinedType("AddDataObject", dobj.Name()));
  return InTransaction(*this, true, [&] { return dispatch->rule->Update(dispatch->addMode, dobj, lOverwriteMode); });
}

int32_t CDatabase::AddDataObject(CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  return WithErrorTrap("AddDataObject", enumErrorAddDataObject,
                       [&] { return "Cannot add data object '" + dobj.Name() + "'"; }, [&] {
                         RefuseNulText(dobj, "AddDataObject");
                         return InTransaction(*this, true, [&] {
                           const Variant value = AddDataObjectInternal(dobj, lOverwriteMode);
                           if (value.IsError()) {
                             throw PassThroughError(PublicErrorNumber(value.ErrorCode()), "AddDataObject",
                                                    "Cannot add data object.");
                           }
                           const int32_t key = value.IsNull() ? 0 : CLng(value);
                           m_bModified = true;
                           return key;
                         });
                       });
}

int32_t CDatabase::UpdateDataObject(CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  auto dispatch = FindRuleDispatch(*m_objRules, dobj.Name());
  if (!dispatch) throw Error(UndefinedType("UpdateDataObject", dobj.Name()));
  return WithErrorTrap("UpdateDataObject", enumErrorUpdateDataObject,
                       [&] { return "Cannot update data object '" + dobj.Name() + "'"; }, [&] {
                         RefuseNulText(dobj, "UpdateDataObject");
                         return InTransaction(*this, true, [&] {
                           const Variant value = dispatch->rule->Update(enumUpdateModify, dobj, lOverwriteMode);
                           if (value.IsError()) {
                             throw PassThroughError(PublicErrorNumber(value.ErrorCode()), "UpdateDataObject",
                                                    "Cannot update data object '" + dobj.Name() + "'");
                           }
                           const int32_t key = CLng(value);
                           m_bModified = true;
                           return key;
                         });
                       });
}

void CDatabase::DeleteDataObject(const std::string& strType, int32_t lPk, bool bDeleteReferences) {
  auto dispatch = FindRuleDispatch(*m_objRules, strType);
  if (!dispatch || !dispatch->deletable) throw Error(UndefinedType("DeleteDataObject", strType));
  WithErrorTrap(
      "DeleteDataObject", enumErrorDeleteDataObject,
      [&] { return "Cannot delete data object '" + strType + "' with id=" + std::to_string(lPk); }, [&] {
        InTransaction(*this, true, [&] {
          const Variant value = dispatch->rule->Delete(lPk, bDeleteReferences);
          if (value.IsError()) {
            throw PassThroughError(PublicErrorNumber(value.ErrorCode()), "DeleteDataObject",
                                   "Cannot delete data object.");
          }
          m_bModified = true;
        });
      });
}

}  // namespace zazorazari
