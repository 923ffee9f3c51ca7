// The fields of a type, read from a file's views (or from the template's
// when no file is given: every file made from it has the same fields).
#include "FieldsCommand.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "DataFiles.h"
#include "OpenDatabase.h"
#include "TypeNames.h"

namespace zazorazari::cli {

namespace {

struct FieldsArgs {
  std::string type;
  std::string file;
};

std::string TypeName(int32_t dataType) {
  switch (dataType) {
    case 1: return "Boolean";
    case 2: return "Byte";
    case 3: return "Integer";
    case 4: return "Long";
    case 5: return "Currency";
    case 6: return "Single";
    case 7: return "Double";
    case 8: return "Date";
    case 10: return "Text";
    case 12: return "Memo";
    case 19: return "Numeric";
    default: return "Value";
  }
}

// Codes stored as text that the library compares or writes; every other
// text is the scoring program's own.
std::string Codes(const std::string& field) {
  const auto endsWith = [&](const char* end) {
    const std::string tail(end);
    return field.size() >= tail.size() && field.compare(field.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (field == "resStatus") return "NYP = not yet a result (any other text counts as one)";
  if (field == "ttpTimeGateType") return "ES = end of the speed section";
  if (field == "tasTaskType") return "ZOLT = new results start at tasSSOpen";
  if (field == "tasResultsType") return "free text of the scoring program (task results-type prints it)";
  if (endsWith("PositionType")) return "GEO = geographic, UTM = grid position";
  if (endsWith("LatitudeDirection")) return "N, S";
  if (endsWith("LongitudeDirection")) return "E, W";
  if (field == "gedName") return "WGS 84 = the datum of waypoint files";
  if (field == "natCode3") return "a nation code of the file (CHE, AUT, ...)";
  return "";
}

// A private copy of the template, removed again when the command ends.
class TemplateCopy {
 public:
  TemplateCopy()
      : m_path(std::filesystem::temp_directory_path() / ("zazorazari-fields-" + std::to_string(getpid()) + ".mdb")) {
    std::filesystem::copy_file(std::filesystem::path(DefaultTemplateDir()) / "template.mdb", m_path,
                               std::filesystem::copy_options::overwrite_existing);
  }
  ~TemplateCopy() {
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
  }
  std::string Path() const { return m_path.string(); }

 private:
  std::filesystem::path m_path;
};

int Fields(const FieldsArgs& a) {
  std::unique_ptr<TemplateCopy> copy;
  if (a.file.empty()) copy = std::make_unique<TemplateCopy>();
  auto db = OpenDatabase(copy ? copy->Path() : a.file);
  CDataObjectPtr record = db->CreateDataObject(a.type);
  db->CloseDB();
  std::printf("%-32s %-9s %5s  %s\n", "field", "type", "size", "codes");
  for (const auto& field : *record) {
    const std::string codes = Codes(field->Name());
    std::printf("%-32s %-9s %5d%s\n", field->Name().c_str(), TypeName(field->DataType()).c_str(), field->Size(),
                codes.empty() ? "" : ("  " + codes).c_str());
  }
  return 0;
}

}  // namespace

void AddFieldsCommand(CommandSet& commands) {
  auto a = std::make_shared<FieldsArgs>();
  CLI::App* fields = commands.Add("fields", "List every field of a type with its type, size and codes",
                                  "zazorazari fields doResult", [a] { return Fields(*a); },
                                  "Without FILE the fields are those of the template every new file is made from.");
  AddTypeOption(fields, a->type, "Data object type, e.g. doPilot, doTask, doResult");
  fields->add_option("FILE", a->file, "Database file (default: the template)");
}

}  // namespace zazorazari::cli
