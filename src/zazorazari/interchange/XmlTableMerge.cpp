// Merging one table of a database file into the open database (see
// XmlTableMerge.h).
#include "zazorazari/interchange/XmlTableMerge.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <exception>
#include <memory>
#include <set>
#include <unordered_set>
#include <vector>

#include "zazorazari/database/Enums.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/DatabaseFileLayout.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

// Attributes that a new row takes as numbers (and not at all when empty).
bool IsNumericAttribute(const char* name) {
  static const std::set<std::string, std::less<>> names = {
      "tasDistance",
      "tasSSDistance",
      "tasTopScore",
      "tasTopSpeed",
      "tasTopDistance",
      "tasRankWeight",
      "ttpDistanceDiff",
      "ttpDistanceTotal",
      "ttpAngle",
      "ttpCircle",
      "gliPk",
      "gliFAIClass",
      "manPk",
      "trnPk",
      "trnPositionLatitudeDecimal",
      "trnPositionLatitudeDegree",
      "trnPositionLatitudeMinute",
      "trnPositionLatitudeSecond",
      "trnPositionLongitudeDecimal",
      "trnPositionLongitudeDegree",
      "trnPositionLongitudeMinute",
      "trnPositionLongitudeSecond",
      "trnPositionEastings",
      "trnPositionNorthings",
      "trnPositionAltitude",
      "trnPositionMapZone",
      "geoPk",
      "oriPk"};
  return names.find(std::string_view(name)) != names.end();
}

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The table's column names, compared without regard to case as the engine
// does.
class ColumnNames {
 public:
  ColumnNames(engine::Database& db, const std::string& strTable) {
    for (const auto& def : db.TableDefs(strTable)) m_names.insert(Lowercase(def.Name));
  }
  bool Contains(const char* name) const { return m_names.count(Lowercase(name)) != 0; }

 private:
  std::unordered_set<std::string> m_names;
};

// Every element of the name, anywhere in the document, in document order.
template <class Visit>
void ForEachElementNamed(const pugi::xml_document& document, const char* name, Visit&& visit) {
  pugi::xml_node node = document.first_child();
  while (node) {
    if (node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0) visit(node);
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
}

void SetNull(engine::Recordset& rs, std::initializer_list<const char*> columns) {
  for (const char* column : columns) rs.Fields(column).SetValue(Variant::Null());
}

// An existing row: the key stays, the other attributes overwrite by the
// table's rules.
void EditRow(engine::Recordset& rs, const std::string& strTable, pugi::xml_node element) {
  rs.Edit();
  if (strTable == "tblPilot") {
    // The file leaves these out when they are NULL.
    SetNull(rs, {"avaPk1", "avaPk2", "avaPk3", "avaPk4", "pilBirthday"});
  }
  for (pugi::xml_attribute attribute = element.first_attribute().next_attribute(); attribute;
       attribute = attribute.next_attribute()) {
    const std::string text = attribute.value();
    if (strTable == "tblTurnpoint") {
      // An existing turnpoint keeps its name and position; only its origin
      // follows the file.
      if (std::strcmp(attribute.name(), "oriPk") == 0 && !text.empty()) {
        rs.Fields("oriPk").SetValue(ParseNumber(text));
      }
    } else if (strTable == "tblTask" && std::strcmp(attribute.name(), "tasDistance") == 0) {
      rs.Fields(attribute.name()).SetValue(ParseNumber(text));
    } else {
      rs.Fields(attribute.name()).SetValue(text);
    }
  }
}

// A new row with the file's key.
void AddRow(engine::Recordset& rs, const std::string& strTable, pugi::xml_node element) {
  rs.AddNew();
  if (strTable == "tblPilot") {
    SetNull(rs, {"avaPk1", "avaPk2", "avaPk3", "avaPk4"});
  } else if (strTable == "tblResult") {
    for (const auto& column : FindDatabaseFileTable("tblResult")->columns) {
      rs.Fields(column.name).SetValue(Variant::Null());
    }
    rs.Fields("resPk").SetValue(0);
    rs.Fields("resPositionLatitudeDecimal").SetValue(0);
  } else if (strTable == "tblTurnpoint") {
    rs.Fields("trnPk").SetValue(0);
    for (const char* column :
         {"trnName", "trnID", "trnPositionType", "trnPositionLatitudeDecimal", "trnPositionLatitudeDirection",
          "trnPositionLatitudeDegree", "trnPositionLatitudeMinute", "trnPositionLatitudeSecond",
          "trnPositionLongitudeDecimal", "trnPositionLongitudeDirection", "trnPositionLongitudeDegree",
          "trnPositionLongitudeMinute", "trnPositionLongitudeSecond", "trnPositionEastings",
          "trnPositionNorthings", "trnPositionAltitude", "trnPositionMapZone", "geoPk", "oriPk"}) {
      rs.Fields(column).SetValue(Variant::Null());
    }
  }
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const std::string text = attribute.value();
    if (IsNumericAttribute(attribute.name())) {
      if (!text.empty()) rs.Fields(attribute.name()).SetValue(ParseNumber(text));
    } else {
      rs.Fields(attribute.name()).SetValue(text);
    }
  }
}

void MergeRow(engine::Recordset& rs, const ColumnNames& columns, const std::string& strTable,
              pugi::xml_node element) {
  // Names and the key are checked before anything of the row is written:
  // neither ever reaches the engine unchecked.
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    if (!columns.Contains(attribute.name())) throw EngineError(errEngineItemNotFound, "Engine.Recordset");
  }
  const pugi::xml_attribute key = element.first_attribute();
  rs.FindFirst(SqlEqualNumber(key.name(), Variant(std::string(key.value()))));
  if (rs.NoMatch()) {
    AddRow(rs, strTable, element);
  } else {
    EditRow(rs, strTable, element);
  }
  rs.Update();
}

}  // namespace

void UpdateDBFromXML(engine::Database& db, const pugi::xml_document& document, const std::string& strTable) {
  try {
    const ColumnNames columns(db, strTable);
    auto rs = db.OpenRecordset(strTable, engine::dbOpenDynaset);
    ForEachElementNamed(document, strTable.c_str(), [&](pugi::xml_node element) {
      if (element.first_attribute()) MergeRow(*rs, columns, strTable, element);
    });
    rs->Close();
  } catch (const Error& e) {
    throw Error(enumErrorImportXML, FacadeSource("UpdateDBFromXML"), ErrorInfoText(e));
  } catch (const std::exception& e) {
    const Error inner(errInvalidProcedureCall, kRuntimeSource, e.what());
    throw Error(enumErrorImportXML, FacadeSource("UpdateDBFromXML"), ErrorInfoText(inner));
  }
}

}  // namespace zazorazari::interchange
