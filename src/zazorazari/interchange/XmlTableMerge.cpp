// Merging one table of a database file into the open database (see
// XmlTableMerge.h).
#include "zazorazari/interchange/XmlTableMerge.h"

#include <strings.h>

#include <cstring>
#include <exception>
#include <set>
#include <string_view>
#include <unordered_map>
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

// The recordset's fields by the attribute names a file uses; a name is
// looked up (without regard to case, as the engine does) once per table.
// The rows of a file name their attributes in one order, so each row's
// lookups are first compared with the last row's, in turn.
class ColumnFields {
 public:
  struct Column {
    engine::Field* field;  // nullptr when the name is no column of the table
    bool numeric;          // taken as a number by a new row
  };

  explicit ColumnFields(engine::Recordset& rs) : m_rs(rs) {}

  void StartRow() { m_next = 0; }
  const Column& Find(const char* name) {
    if (m_next < m_order.size() && std::strcmp(m_order[m_next]->first.c_str(), name) == 0)
      return m_order[m_next++]->second;
    const Entry& entry = Lookup(name);
    m_order.resize(m_next);
    m_order.push_back(&entry);
    ++m_next;
    return entry.second;
  }
  engine::Field& operator[](const char* name) {
    engine::Field* field = Find(name).field;
    if (field == nullptr) throw EngineError(errEngineItemNotFound, "Engine.Recordset");
    return *field;
  }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  using Map = std::unordered_map<std::string, Column, Hash, std::equal_to<>>;
  using Entry = Map::value_type;

  const Entry& Lookup(const char* name) {
    const std::string_view key(name);
    if (const auto it = m_cache.find(key); it != m_cache.end()) return *it;
    engine::Field* field = nullptr;
    for (int32_t i = 0; i < m_rs.FieldCount(); ++i) {
      if (strcasecmp(m_rs.FieldDefs()[static_cast<size_t>(i)].Name.c_str(), name) == 0) field = &m_rs.Fields(i);
    }
    return *m_cache.emplace(std::string(key), Column{field, IsNumericAttribute(name)}).first;
  }

  engine::Recordset& m_rs;
  Map m_cache;
  std::vector<const Entry*> m_order;  // this and the last row's lookups
  size_t m_next = 0;
};

void SetNull(ColumnFields& fields, std::initializer_list<const char*> columns) {
  for (const char* column : columns) fields[column].SetValue(Variant::Null());
}

// An existing row: the key stays, the other attributes overwrite by the
// table's rules.
void EditRow(engine::Recordset& rs, ColumnFields& fields, const std::string& strTable, pugi::xml_node element) {
  rs.Edit();
  if (strTable == "tblPilot") {
    // The file leaves these out when they are NULL.
    SetNull(fields, {"avaPk1", "avaPk2", "avaPk3", "avaPk4", "pilBirthday"});
  }
  for (pugi::xml_attribute attribute = element.first_attribute().next_attribute(); attribute;
       attribute = attribute.next_attribute()) {
    const std::string text = attribute.value();
    if (strTable == "tblTurnpoint") {
      // An existing turnpoint keeps its name and position; only its origin
      // follows the file.
      if (std::strcmp(attribute.name(), "oriPk") == 0 && !text.empty()) {
        fields["oriPk"].SetValue(ParseNumber(text));
      }
    } else if (strTable == "tblTask" && std::strcmp(attribute.name(), "tasDistance") == 0) {
      fields[attribute.name()].SetValue(ParseNumber(text));
    } else {
      fields[attribute.name()].SetValue(text);
    }
  }
}

// A new row with the file's key.
void AddRow(engine::Recordset& rs, ColumnFields& fields, const std::string& strTable, pugi::xml_node element) {
  rs.AddNew();
  if (strTable == "tblPilot") {
    SetNull(fields, {"avaPk1", "avaPk2", "avaPk3", "avaPk4"});
  } else if (strTable == "tblResult") {
    for (const auto& column : FindDatabaseFileTable("tblResult")->columns) {
      fields[column.name].SetValue(Variant::Null());
    }
    fields["resPk"].SetValue(0);
    fields["resPositionLatitudeDecimal"].SetValue(0);
  } else if (strTable == "tblTurnpoint") {
    fields["trnPk"].SetValue(0);
    for (const char* column :
         {"trnName", "trnID", "trnPositionType", "trnPositionLatitudeDecimal", "trnPositionLatitudeDirection",
          "trnPositionLatitudeDegree", "trnPositionLatitudeMinute", "trnPositionLatitudeSecond",
          "trnPositionLongitudeDecimal", "trnPositionLongitudeDirection", "trnPositionLongitudeDegree",
          "trnPositionLongitudeMinute", "trnPositionLongitudeSecond", "trnPositionEastings",
          "trnPositionNorthings", "trnPositionAltitude", "trnPositionMapZone", "geoPk", "oriPk"}) {
      fields[column].SetValue(Variant::Null());
    }
  }
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    const ColumnFields::Column& column = fields.Find(attribute.name());
    if (column.field == nullptr) throw EngineError(errEngineItemNotFound, "Engine.Recordset");
    const std::string text = attribute.value();
    if (column.numeric) {
      if (!text.empty()) column.field->SetValue(ParseNumber(text));
    } else {
      column.field->SetValue(text);
    }
  }
}

void MergeRow(engine::Recordset& rs, ColumnFields& fields, const std::string& strTable, pugi::xml_node element) {
  // Names and the key are checked before anything of the row is written:
  // neither ever reaches the engine unchecked.
  fields.StartRow();
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    if (fields.Find(attribute.name()).field == nullptr) throw EngineError(errEngineItemNotFound, "Engine.Recordset");
  }
  const pugi::xml_attribute key = element.first_attribute();
  rs.FindFirst(SqlEqualNumber(key.name(), Variant(std::string(key.value()))));
  if (rs.NoMatch()) {
    AddRow(rs, fields, strTable, element);
  } else {
    EditRow(rs, fields, strTable, element);
  }
  rs.Update();
}

}  // namespace

void UpdateDBFromXML(engine::Database& db, const XmlTableElements& elements, const std::string& strTable) {
  try {
    auto rs = db.OpenRecordset(strTable, engine::dbOpenDynaset);
    ColumnFields fields(*rs);
    for (const pugi::xml_node element : elements.Of(strTable)) {
      if (element.first_attribute()) MergeRow(*rs, fields, strTable, element);
    }
    rs->Close();
  } catch (const Error& e) {
    throw Error(enumErrorImportXML, FacadeSource("UpdateDBFromXML"), ErrorInfoText(e));
  } catch (const std::exception& e) {
    const Error inner(errInvalidProcedureCall, kRuntimeSource, e.what());
    throw Error(enumErrorImportXML, FacadeSource("UpdateDBFromXML"), ErrorInfoText(inner));
  }
}

}  // namespace zazorazari::interchange
