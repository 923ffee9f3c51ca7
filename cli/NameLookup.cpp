// Resolving typed names to the keys of the rows they name.
#include "NameLookup.h"

#include "Refusal.h"
#include <zazorazari/dataobject/modTools.h>
#include <zazorazari/engine/Database.h>
#include <zazorazari/engine/Recordset.h>
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

struct NameOfRow {
  const char* nameField;
  const char* keyField;
  const char* table;
  const char* hint;  // what a good value looks like
};

constexpr NameOfRow kNames[] = {
    {"natCode3", "natPk", "tblNation", "a nation's three-letter code such as CHE, AUT or GBR"},
    {"trnName", "trnPk", "tblTurnpoint", "the name of a stored turnpoint ('zazorazari list FILE doTurnpoint')"},
};

std::vector<std::string> KeysNamed(CDatabase& db, const NameOfRow& name, const Variant& value) {
  auto rs = db.DatabaseObject()->OpenRecordset(std::string("SELECT * FROM ") + name.table +
                                               " WHERE " + SqlEqualText(name.nameField, value),
                                               engine::dbOpenSnapshot);
  std::vector<std::string> keys;
  for (; !rs->IsEOF(); rs->MoveNext()) keys.push_back(CStr(rs->Fields(name.keyField).Value()));
  rs->Close();
  return keys;
}

void Resolve(CDatabase& db, CDataObject& record, const NameOfRow& name, const std::string& file) {
  const Variant value = record.Fields(name.nameField)->Value();
  const CFieldPtr key = record.Fields(name.keyField);
  if (value.IsNull()) {
    key->SetValue(Variant::Null());
    return;
  }
  const std::vector<std::string> keys = KeysNamed(db, name, value);
  const std::string quoted = std::string(name.nameField) + ": '" + CStr(value) + "' ";
  if (keys.empty()) {
    throw Refusal(quoted + "is not in " + file + "; give " + name.hint + ". Nothing was written.");
  }
  if (keys.size() > 1) {
    std::string list;
    for (const auto& k : keys) list += (list.empty() ? "" : ", ") + k;
    throw Refusal(quoted + "names " + std::to_string(keys.size()) + " rows (" + name.keyField + " " + list +
                  "); give " + name.keyField + " instead. Nothing was written.");
  }
  key->SetValue(Variant(CLng(Variant(keys.front()))));
}

}  // namespace

void ResolveNames(CDatabase& db, CDataObject& record, const std::vector<Assignment>& given, const std::string& file) {
  for (const auto& name : kNames) {
    // A record's own key is not a reference (a turnpoint's name is its own).
    const bool refers = record.HasField(name.nameField) && record.HasField(name.keyField) &&
                        record.Count() > 0 && record.Item(Variant(1))->Name() != name.keyField;
    if (refers && Assigns(given, name.nameField) && !Assigns(given, name.keyField)) {
      Resolve(db, record, name, file);
    }
  }
}

void RequireTask(CDatabase& db, int32_t task, const std::string& file) {
  auto rs = db.DatabaseObject()->OpenRecordset("SELECT * FROM tblTask WHERE tasPk=" + std::to_string(task),
                                               engine::dbOpenSnapshot);
  const bool found = !rs->IsEOF();
  rs->Close();
  if (!found) {
    throw Refusal(file + " has no task with key " + std::to_string(task) + "; 'zazorazari list " + file +
                  " doTask --columns tasPk,tasName' shows its tasks.");
  }
}

}  // namespace zazorazari::cli
