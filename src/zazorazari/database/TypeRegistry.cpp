// The registry tables, in the order the lookups test them.
#include "zazorazari/database/TypeRegistry.h"

#include <array>
#include <utility>

namespace zazorazari {

namespace {

const std::vector<DataObjectType>& Types() {
  static const std::vector<DataObjectType> types = {
      {"doCatalog", "doCompetition", true, {}},
      {"doCompetition", "doCompetition", true, {}},
      {"doGlider", "doGlider", false, {"manName", "gliName"}},
      {"doOrigin", "doOrigin", false, {"natPk", "oriRegion"}},
      {"doReportString", "doReportString", false, {"rstCategory", "rstText"}},
      {"doAttribute", "doAttribute", false, {"attName"}},
      {"tblAttribute", "doAttribute", false, {"attName"}},
      {"doAttributeValue", "doAttributeValue", false, {"attName", "avaValue"}},
      {"doPilotAttribute", "doPilotAttribute", false, {"attName", "avaValue"}},
      {"doPilot", "doPilot", false, {"pilFirstName", "pilLastName", "pilSex"}},
      {"doTurnpoint", "doTurnpoint", false, {"trnName"}},
      {"doTaskTurnpoint", "doTaskTurnpoint", false, {"trnName", "trnPk"}},
      {"doTask", "doTask", false, {"tasName"}},
      {"doResult", "doResult", false, {}},
      {"doPilotCompetitionResult", "doPilotCompetitionResult", false, {}},
      {"doGeoDate", "doGeoDate", false, {"gedName"}},
  };
  return types;
}

using DisplayEntry = std::pair<const char*, std::vector<const char*>>;

const std::vector<DisplayEntry>& DisplayNames() {
  static const std::vector<DisplayEntry> names = {
      {"doCompetition", {"comName"}},
      {"doCatalog", {"comName"}},
      {"doReportString", {"rstText"}},
      {"doPilot", {"pilFirstName", "pilLastName"}},
      {"doGlider", {"manName", "gliName"}},
      {"doTurnpoint", {"trnName"}},
      {"doTask", {"tasName"}},
      {"doGeoDate", {"gedName"}},
      {"doOrigin", {"natCode3", "oriRegion"}},
      {"doAttribute", {"attName"}},
      {"doAttributeValue", {"attName", "avaValue"}},
  };
  return names;
}

const std::array<CollectionType, 2> kCollections = {{
    {"docPilotAttribute", "doPilotAttribute", "patPk", "pilPk"},
    {"docTaskTurnpoint", "doTaskTurnpoint", "ttpNr", "tasPk"},
}};

}  // namespace

const DataObjectType* FindDataObjectType(const std::string& strType) {
  for (const auto& type : Types()) {
    if (strType == type.name) return &type;
  }
  return nullptr;
}

std::span<const DataObjectType> DataObjectTypes() { return Types(); }

const std::vector<const char*>* DisplayNameFields(const std::string& strType) {
  for (const auto& [name, fields] : DisplayNames()) {
    if (strType == name) return &fields;
  }
  return nullptr;
}

std::span<const CollectionType> CollectionTypes() { return kCollections; }

const CollectionType* FindCollectionType(const std::string& strType) {
  for (const auto& type : kCollections) {
    if (strType == type.name) return &type;
  }
  return nullptr;
}

}  // namespace zazorazari
