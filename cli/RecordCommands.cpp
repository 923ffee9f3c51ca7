// Record commands: new, get, add, update, delete, list and collection.
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "DatabaseReading.h"
#include "OpenDatabase.h"
#include "RecordFormat.h"
#include "RecordInput.h"
#include "Terminal.h"
#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/platform/Error.h"

namespace zazorazari::cli {

namespace {

struct RecordArgs {
  std::string file;
  std::string type;
  int32_t key = 0;
  std::vector<std::string> assignments;
  EnumOverwriteMode overwrite = enumOverwriteRaiseError;
  bool deleteReferences = false;
  std::string where;
  std::string order;
  OutputFormat format = OutputFormat::Text;
};

// A refused number or identifier: say which record already holds it.
Error WithDuplicateKey(const Error& e, const CDatabase& db) {
  const bool names = e.Number() == enumErrorPilotSignExists || e.Number() == enumErrorPilotIDExists ||
                     e.Number() == enumErrorTurnpointIDExists;
  if (!names || db.LastDuplicatedPk() == 0) return e;
  return Error(e.Number(), e.Source(),
               e.Description() + " It is held by the record with key " + std::to_string(db.LastDuplicatedPk()) + ".");
}

int New(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  PrintRecord(std::cout, *db->CreateDataObject(a.type), OutputFormat::Text);
  db->CloseDB();
  return 0;
}

int Get(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  PrintRecord(std::cout, *db->GetDataObject(a.type, a.key), a.format);
  db->CloseDB();
  return 0;
}

int Add(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  CDataObjectPtr record = db->CreateDataObject(a.type);
  if (a.assignments.empty() && IsInteractive()) {
    std::cerr << "Enter Name=Value lines, then Ctrl-D:\n";
  }
  ApplyAssignments(*record, a.assignments.empty() ? ReadRecordText(std::cin) : ParseAssignments(a.assignments));
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
    ApplyAssignments(*record, ParseAssignments(a.assignments));
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
  db->DeleteDataObject(a.type, a.key, a.deleteReferences);
  db->CloseDB();
  return 0;
}

int List(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  CDataObjectPtr shape = db->CreateDataObject(a.type);
  PrintRecords(std::cout, *shape, ReadViewRows(*db, a.type, *shape, a.where, a.order), a.format);
  db->CloseDB();
  return 0;
}

int Collection(const RecordArgs& a) {
  auto db = OpenDatabase(a.file);
  CDataObjectCollectionPtr collection = db->GetDataObjectCollection(
      a.type, a.key, a.where.empty() ? Variant() : Variant(a.where), a.order.empty() ? Variant() : Variant(a.order));
  // The type is registered, or the read above has failed.
  CDataObjectPtr shape = db->CreateDataObject(FindCollectionType(a.type)->memberView);
  std::vector<CDataObjectPtr> members(collection->begin(), collection->end());
  PrintRecords(std::cout, *shape, members, a.format);
  db->CloseDB();
  return 0;
}

void FileAndType(CLI::App* sub, RecordArgs& a) {
  sub->add_option("FILE", a.file, "Database file")->required();
  sub->add_option("TYPE", a.type, "Data object type, e.g. doPilot, doTask, doTurnpoint")->required();
}

void OverwriteOption(CLI::App* sub, RecordArgs& a) {
  const std::map<std::string, EnumOverwriteMode> modes{
      {"force", enumOverwriteForce}, {"error", enumOverwriteRaiseError}, {"return", enumOverwriteReturnPk}};
  AddChoiceOption(sub, "--overwrite", a.overwrite, modes,
                  "When the record collides with another: force (replace it), error (refuse; the default), "
                  "return (print the other's key)");
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
  AddFormatOption(get, a->format);

  CLI::App* add = commands.Add(
      "add", "Add a record from FIELD=VALUE pairs, or from Name=Value lines on standard input; prints its key",
      "zazorazari add cup.mdb doPilot pilFirstName=Anna pilLastName=Huber pilSex=F natCode3=AUT",
      [a] { return Add(*a); });
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

  CLI::App* list = commands.Add("list", "List the rows of a type's view",
                                "zazorazari list cup.mdb doPilot --where \"natCode3='AUT'\" --order pilLastName --format csv",
                                [a] { return List(*a); });
  FileAndType(list, *a);
  list->add_option("--where", a->where, "Criteria, e.g. \"pilNumber>10 AND pilSex='F'\"");
  list->add_option("--order", a->order, "Order, e.g. \"pilLastName, pilFirstName\"");
  AddFormatOption(list, a->format);

  CLI::App* collection = commands.Add("collection", "Print the turnpoints of a task or the attributes of a pilot",
                                      "zazorazari collection cup.mdb docTaskTurnpoint 1",
                                      [a] { return Collection(*a); });
  collection->add_option("FILE", a->file, "Database file")->required();
  collection->add_option("TYPE", a->type, "docTaskTurnpoint or docPilotAttribute")->required();
  collection->add_option("OWNER", a->key, "The key of the task or the pilot")->required();
  collection->add_option("--where", a->where, "Further criteria");
  collection->add_option("--order", a->order, "Order, e.g. \"ttpNr DESC\"");
  AddFormatOption(collection, a->format);
}

}  // namespace zazorazari::cli
