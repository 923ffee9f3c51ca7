// Source texts of the facade's errors, and the refusal of text no column
// can store.
#include "zazorazari/database/FacadeOperation.h"

namespace zazorazari {

std::string FacadeSource(const std::string& operation) { return "ZAZorazari.CDatabase." + operation; }

void RefuseNulText(const CDataObject& dobj, const std::string& operation) {
  for (const auto& field : dobj.Collection()) {
    const Variant& value = field->Value();
    if (value.VarType() == vtString && value.Text().find('\0') != std::string::npos) {
      throw PassThroughError(errEngineConversion, operation,
                             ErrorDescription(errEngineConversion) + " (" + dobj.Name() + ", field " + field->Name() +
                                 "): the text holds a NUL character; nothing was stored");
    }
  }
}

}  // namespace zazorazari
