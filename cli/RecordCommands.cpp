// Record commands: new, get, add, update, delete, list and collection.
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "Criteria.h"
#include "FieldsCommand.h"
#include "NameLookup.h"
#include "OpenDatabase.h"
#include "RecordFormat.h"
#include "RecordInput.h"
#include "ReferenceGuards.h"
#include "Refusal.h"
#include "Terminal.h"
#include "TypeNames.h"
#include <zazorazari/platform/Error.h>

namespace zazorazari::cli {

namespace {

struct RecordArgs {
  std::string file;
  std::string type;
  int32_t key = 0;
  std::vector<std::string> assignments;
  EnumOverwriteMode overwrite = enumOverwriteRaiseError;
  bool deleteReferences = false;
  bool force = false;
  std::string where;
  std::string order;
  OutputOptions output;
};

// A refused write: say which rule refused it and which record holds the value.
Error WithDuplicateKey(const Error& e, const CDatabase& db) {
  const char* what = e.Number() == enumErrorPilotSignExists  ? "start number (pilNumber)"
                     : e.Number() == enumErrorPilotIDExists   ? "global ID (pilIDGlobal)"
                     : e.Number() == enumErrorTurnpointIDExists ? "turnpoint ID (trnID)"
                                                                : nullptr;
  if (e.Number() == enumErrorRecordsetExists) {
    return Error(e.Number(), e.Source(),
                 "The file already holds this record (the fields that identify it match); --overwrite force "
                 "replaces it, --overwrite return prints its key. " + e.Description());
  }
  if (!what) return e;
  const std::string holder =
      db.LastDuplicatedPk() == 0 ? "another record" : "the record with key " + std::to_string(db.LastDuplicatedPk());
  return Error(e.Number(), e.Source(), std::string("The ") + what + " is already held by " + holder + ". " + e.Description());
}

int New(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  PrintRecord(std::cout, *db->CreateDataObject(a.type), OutputOptions{OutputFormat::Text, {}});
  db->CloseDB();
  return 0;
}

int Get(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  PrintRecord(std::cout, *db->GetDataObject(a.type, a.key), a.output);
  db->CloseDB();
  return 0;
}

// Reads, checks and resolves the values before anything is written.
void Fill(CDatabase& db, CDataObject& record, const std::vector<Assignment>& given, const std::string& file) {
  ApplyAssignments(record, given);
  ResolveNames(db, record, given, file);
}

int Add(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  CDataObjectPtr record = db->CreateDataObject(a.type);
  if (a.assignments.empty() && IsInteractive()) {
    std::cerr << "Enter Name=Value lines, then Ctrl-D:\n";
  }
  const auto assignments = a.assignments.empty() ? ReadRecordText(std::cin) : ParseAssignments(a.assignments);
  Fill(*db, *record, assignments, a.file);
  RefuseMissingReferences(*db, *record, assignments);
  int32_t key = 0;
  try {
    key = db->AddDataObject(*record, a.overwrite);
  } catch (const Error& e) {
    throw WithDuplicateKey(e, *db);
  }
  db->CloseDB();
  std::cout << key << '\n';
  return 0;
}

int Update(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  int32_t key = 0;
  {
    // Read and write back as one transaction, so that another process's
    // change to other fields of the record in between is not lost.
    CDatabase::Transaction transaction(*db);
    CDataObjectPtr record = db->GetDataObject(a.type, a.key);
    const auto assignments = ParseAssignments(a.assignments);
    Fill(*db, *record, assignments, a.file);
    RefuseMissingReferences(*db, *record, assignments);
    try {
      key = db->UpdateDataObject(*record, a.overwrite);
    } catch (const Error& e) {
      throw WithDuplicateKey(e, *db);
    }
    transaction.Commit();
  }
  db->CloseDB();
  std::cout << key << '\n';
  return 0;
}

int Delete(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  RefuseDeleteOfReferenced(*db, a.type, a.key, a.force);
  db->DeleteDataObject(a.type, a.key, a.deleteReferences);
  db->CloseDB();
  return 0;
}

int List(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  CDataObjectPtr shape = db->CreateDataObject(a.type);
  const std::string where = CheckedCriteria(*shape, a.where, "--where");
  const std::string order = CheckedCriteria(*shape, a.order, "--order");
  PrintRecords(std::cout, *shape, db->ListDataObjects(a.type, where, order), a.output);
  db->CloseDB();
  return 0;
}

int Collection(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  CDataObjectPtr shape = db->CreateDataObject(db->CollectionMemberType(a.type));
  const std::string where = CheckedCriteria(*shape, a.where, "--where");
  const std::string order = CheckedCriteria(*shape, a.order, "--order");
  CDataObjectCollectionPtr collection = db->GetDataObjectCollection(
      a.type, a.key, where.empty() ? Variant() : Variant(where), order.empty() ? Variant() : Variant(order));
  std::vector<CDataObjectPtr> members(collection->begin(), collection->end());
  PrintRecords(std::cout, *shape, members, a.output);
  db->CloseDB();
  return 0;
}

void FileAndType(CLI::App* sub, RecordArgs& a) {
  sub->add_option("FILE", a.file, "Database file")->required();
  AddTypeOption(sub, a.type, "Data object type, e.g. doPilot, doTask, doTurnpoint");
}

void OverwriteOption(CLI::App* sub, RecordArgs& a) {
  const std::map<std::string, EnumOverwriteMode> modes{
      {"force", enumOverwriteForce}, {"error", enumOverwriteRaiseError}, {"return", enumOverwriteReturnPk}};
  AddChoiceOption(sub, "--overwrite", a.overwrite, modes,
                  "When the record collides with another: force (replace it), error (refuse; the default), "
                  "return (print the other's key)");
}

void FilterOptions(CLI::App* sub, RecordArgs& a, const std::string& orderExample) {
  sub->add_option("--where", a.where,
                  "Criteria, e.g. \"pilNumber>10 AND pilSex='F'\" (dates as 'yyyy-mm-dd' or #m/d/yyyy#)");
  sub->add_option("--order", a.order, "Order, e.g. \"" + orderExample + "\"");
  AddOutputOptions(sub, a.output);
}

}  // namespace

void AddRecordCommands(CommandSet& commands) {
  auto a = std::make_shared<RecordArgs>();

  CLI::App* create = commands.Add("new", "Print the empty record of a type (a form for add)",
                                  "zazorazari new cup.mdb doPilot > pilot.txt", [a] { return New(*a); });
  FileAndType(create, *a);

  CLI::App* get = commands.Add("get", "Print one record", "zazorazari get cup.mdb doPilot 12 --format json",
                               [a] { return Get(*a); });
  FileAndType(get, *a);
  get->add_option("KEY", a->key, "The record's key")->required();
  AddOutputOptions(get, a->output);

  CLI::App* add = commands.Add(
      "add", "Add a record from FIELD=VALUE pairs, or from Name=Value lines on standard input; prints its key",
      "zazorazari add cup.mdb doPilot pilFirstName=Anna pilLastName=Huber pilSex=F natCode3=AUT",
      [a] { return Add(*a); },
      "Each value is checked against its field's type before anything is written. natCode3 must be a "
      "nation code of the file; a task turnpoint's trnName must name one stored turnpoint (it sets trnPk).");
  FileAndType(add, *a);
  add->add_option("FIELD=VALUE", a->assignments, "Field values (an empty value is NULL)");
  OverwriteOption(add, *a);

  CLI::App* update = commands.Add("update", "Change fields of a record; prints its key",
                                  "zazorazari update cup.mdb doPilot 12 pilNumber=7 pilSponsor=",
                                  [a] { return Update(*a); });
  FileAndType(update, *a);
  update->add_option("KEY", a->key, "The record's key")->required();
  update->add_option("FIELD=VALUE", a->assignments, "Field values (an empty value is NULL)")->required();
  OverwriteOption(update, *a);

  CLI::App* remove = commands.Add("delete", "Delete a record", "zazorazari delete cup.mdb doAttributeValue 3 --delete-references",
                                  [a] { return Delete(*a); });
  FileAndType(remove, *a);
  remove->add_option("KEY", a->key, "The record's key")->required();
  remove->add_flag("--delete-references", a->deleteReferences,
                   "Also remove what refers to it (attribute values held by pilots)");
  remove->add_flag("--force", a->force,
                   "Delete a turnpoint, glider, origin or datum even while other rows still refer to it");

  CLI::App* list = commands.Add("list", "List the rows of a type's view",
                                "zazorazari list cup.mdb doPilot --where \"natCode3='AUT'\" --order pilLastName --format csv",
                                [a] { return List(*a); });
  FileAndType(list, *a);
  FilterOptions(list, *a, "pilLastName, pilFirstName");

  CLI::App* collection = commands.Add("collection", "Print the turnpoints of a task or the attributes of a pilot",
                                      "zazorazari collection cup.mdb docTaskTurnpoint 1",
                                      [a] { return Collection(*a); });
  collection->add_option("FILE", a->file, "Database file")->required();
  AddCollectionTypeOption(collection, a->type);
  collection->add_option("OWNER", a->key, "The key of the task or the pilot")->required();
  FilterOptions(collection, *a, "ttpNr DESC");

  AddFieldsCommand(commands);
}

}  // namespace zazorazari::cli
