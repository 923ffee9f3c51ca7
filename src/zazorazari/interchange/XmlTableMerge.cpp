// Merging one table of a database file into the open database (see
// XmlTableMerge.h).
#include "zazorazari/interchange/XmlTableMerge.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
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
#include "zazorazari/engine/KeyedTableWriter.h"
#include "zazorazari/interchange/DatabaseFileLayout.h"
#include "zazorazari/platform/Conversions.h"
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

// The table's columns by the attribute names a file uses; a name is looked
// up (without regard to case, as the engine does) once per table. The rows
// of a file name their attributes in one order, so each row's lookups are
// first compared with the last row's, in turn.
class ColumnsByName {
 public:
  struct Column {
    int index;     // -1 when the name is no column of the table
    bool numeric;  // taken as a number by a new row
  };

  explicit ColumnsByName(const engine::KeyedTableWriter& writer) : m_writer(writer) {}

  // The columns of the element's attributes, in their order; 3265 for a
  // name that is no column.
  const std::vector<const Column*>& Resolve(pugi::xml_node element) {
    m_next = 0;
    m_row.clear();
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
      const Column& column = Find(attribute.name());
      if (column.index < 0) throw EngineError(errEngineItemNotFound, "Engine.Recordset");
      m_row.push_back(&column);
    }
    return m_row;
  }
  const Column& Find(const char* name) {
    if (m_next < m_order.size() && std::strcmp(m_order[m_next]->first.c_str(), name) == 0)
      return m_order[m_next++]->second;
    const Entry& entry = Lookup(name);
    m_order.resize(m_next);
    m_order.push_back(&entry);
    ++m_next;
    return entry.second;
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
    return *m_cache.emplace(std::string(key), Column{m_writer.ColumnIndex(name), IsNumericAttribute(name)}).first;
  }

  const engine::KeyedTableWriter& m_writer;
  Map m_cache;
  std::vector<const Entry*> m_order;  // this and the last row's lookups
  size_t m_next = 0;
  std::vector<const Column*> m_row;
};

// What the table's rules set before the file's attributes: on an existing
// row (the file leaves tblPilot's slots and birthday out when they are
// NULL) and on a new one. A column the table lacks fails when it is set.
// A new row leaves out the NULLs of columns without a default: they are
// NULL anyway, and every value left out is one less to convert and bind.
struct Presets {
  using List = std::vector<std::pair<int, Variant>>;
  List existing;
  List added;

  Presets(ColumnsByName& columns, const engine::KeyedTableWriter& writer, const std::string& strTable) {
    const auto null = [&](List& list, const char* column) {
      const int index = columns.Find(column).index;
      if (&list == &added && index >= 0 && !writer.HasDefault(index)) return;
      list.emplace_back(index, Variant::Null());
    };
    const auto zero = [&](const char* column) { added.emplace_back(columns.Find(column).index, Variant(0)); };
    if (strTable == "tblPilot") {
      for (const char* column : {"avaPk1", "avaPk2", "avaPk3", "avaPk4"}) {
        null(existing, column);
        null(added, column);
      }
      null(existing, "pilBirthday");
    } else if (strTable == "tblResult") {
      for (const auto& column : FindDatabaseFileTable("tblResult")->columns) null(added, column.name);
      zero("resPk");
      zero("resPositionLatitudeDecimal");
    } else if (strTable == "tblTurnpoint") {
      zero("trnPk");
      for (const char* column :
           {"trnName", "trnID", "trnPositionType", "trnPositionLatitudeDecimal", "trnPositionLatitudeDirection",
            "trnPositionLatitudeDegree", "trnPositionLatitudeMinute", "trnPositionLatitudeSecond",
            "trnPositionLongitudeDecimal", "trnPositionLongitudeDirection", "trnPositionLongitudeDegree",
            "trnPositionLongitudeMinute", "trnPositionLongitudeSecond", "trnPositionEastings",
            "trnPositionNorthings", "trnPositionAltitude", "trnPositionMapZone", "geoPk", "oriPk"}) {
        null(added, column);
      }
    }
  }

  static void Apply(engine::KeyedTableWriter& writer, const List& list) {
    for (const auto& [column, value] : list) {
      if (column < 0) throw EngineError(errEngineItemNotFound, "Engine.Recordset");
      writer.Set(column, value);
    }
  }
};

// The number a search "key=<number>" compares with: the key text as a
// number (13 when it is none, 6 beyond a double), in the decimal form the
// search text carries it, read back as the engine reads a number literal.
Variant KeySearchValue(const char* text) {
  // A plain whole number of up to nine digits reads back as itself.
  size_t digits = 0;
  int32_t plain = 0;
  while (digits < 9 && text[digits] >= '0' && text[digits] <= '9') plain = plain * 10 + (text[digits++] - '0');
  if (digits > 0 && text[digits] == '\0') return Variant(plain);
  const std::string written = CStr(Variant(CDbl(Variant(std::string(text)))));
  if (written.find_first_of(".eE") == std::string::npos) {
    errno = 0;
    const long long value = std::strtoll(written.c_str(), nullptr, 10);
    if (errno == 0 && value >= INT32_MIN && value <= INT32_MAX) return Variant(static_cast<int32_t>(value));
  }
  return Variant(std::strtod(written.c_str(), nullptr));
}

// An existing row: the key stays, the other attributes overwrite by the
// table's rules.
void EditRow(engine::KeyedTableWriter& writer, const std::vector<const ColumnsByName::Column*>& row,
             const Presets& presets, const std::string& strTable, pugi::xml_node element) {
  writer.BeginOverwrite();
  Presets::Apply(writer, presets.existing);
  size_t i = 1;
  for (pugi::xml_attribute attribute = element.first_attribute().next_attribute(); attribute;
       attribute = attribute.next_attribute(), ++i) {
    const char* text = attribute.value();
    if (strTable == "tblTurnpoint") {
      // An existing turnpoint keeps its name and position; only its origin
      // follows the file.
      if (std::strcmp(attribute.name(), "oriPk") == 0 && *text != '\0') writer.Set(row[i]->index, ParseNumber(text));
    } else if (strTable == "tblTask" && std::strcmp(attribute.name(), "tasDistance") == 0) {
      writer.Set(row[i]->index, ParseNumber(text));
    } else {
      writer.Set(row[i]->index, Variant(std::string(text)));
    }
  }
}

// A new row with the file's key.
void AddRow(engine::KeyedTableWriter& writer, const std::vector<const ColumnsByName::Column*>& row,
            const Presets& presets, pugi::xml_node element) {
  writer.BeginNew();
  Presets::Apply(writer, presets.added);
  size_t i = 0;
  for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
       attribute = attribute.next_attribute(), ++i) {
    const char* text = attribute.value();
    if (!row[i]->numeric) {
      writer.Set(row[i]->index, Variant(std::string(text)));
    } else if (*text != '\0') {
      writer.Set(row[i]->index, ParseNumber(text));
    }
  }
}

void MergeRow(engine::KeyedTableWriter& writer, ColumnsByName& columns, const Presets& presets,
              const std::string& strTable, pugi::xml_node element) {
  // Names and the key are checked before anything of the row is written:
  // neither ever reaches the engine unchecked.
  const auto& row = columns.Resolve(element);
  if (writer.Find(row[0]->index, KeySearchValue(element.first_attribute().value()))) {
    EditRow(writer, row, presets, strTable, element);
  } else {
    AddRow(writer, row, presets, element);
  }
  writer.Write();
}

}  // namespace

void UpdateDBFromXML(engine::Database& db, const XmlRowSource& elements, const std::string& strTable) {
  try {
    engine::KeyedTableWriter writer(db, strTable);
    ColumnsByName columns(writer);
    const Presets presets(columns, writer, strTable);
    try {
      elements.EachElement(strTable, [&](pugi::xml_node element) {
        if (element.first_attribute()) MergeRow(writer, columns, presets, strTable, element);
      });
    } catch (...) {
      writer.Flush();  // the rows before the failing one stay written
      throw;
    }
    writer.Flush();
  } catch (const Error& e) {
    throw Error(enumErrorImportXML, FacadeSource("UpdateDBFromXML"), ErrorInfoText(e));
  } catch (const std::exception& e) {
    const Error inner(errInvalidProcedureCall, kRuntimeSource, e.what());
    throw Error(enumErrorImportXML, FacadeSource("UpdateDBFromXML"), ErrorInfoText(inner));
  }
}

}  // namespace zazorazari::interchange
