// Waypoints into turnpoint records through the rules (see TurnpointAdder.h).
#include "zazorazari/interchange/TurnpointAdder.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/TurnpointPosition.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari::interchange {

TurnpointAdder::TurnpointAdder(CDatabase& db, engine::Database& engineDb)
    : m_db(db), m_engine(engineDb), m_record(db.CreateDataObject("doTurnpoint")) {
  for (const auto& field : m_record->Collection()) m_blank.push_back(field->Value());
}

std::optional<int32_t> TurnpointAdder::Add(const TurnpointEntry& entry, EnumOverwriteMode lOverwriteMode,
                                           std::vector<Refusal>& refusals) {
  // One record serves every waypoint, emptied first of what the last one
  // and its rules left in it.
  const auto& fields = m_record->Collection();
  for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetValue(m_blank[i]);
  Fill(entry);
  try {
    return m_db.AddDataObject(*m_record, lOverwriteMode);
  } catch (const Error& e) {
    if (e.Number() != enumErrorTurnpointIDExists && e.Number() != enumErrorRecordsetExists) {
      throw Error(e.Number(), e.Source(), e.Description() + " (line " + std::to_string(entry.line) + ")");
    }
    refusals.push_back({&entry, e.Number()});
    return std::nullopt;
  }
}

CField& TurnpointAdder::Field(const std::string& column) {
  if (m_turn == m_named.size() || m_named[m_turn].first != column) {
    m_named.resize(m_turn);
    m_named.emplace_back(column, m_record->Fields(column));
  }
  return *m_named[m_turn++].second;
}

void TurnpointAdder::Fill(const TurnpointEntry& entry) {
  m_turn = 0;
  const auto set = [this](const std::string& column, const Variant& value) { Field(column).SetValue(value); };
  set("trnName", entry.name);
  set("trnID", entry.code.empty() ? entry.name : entry.code);
  set("trnPositionType", "GEO");
  set("gedName", "WGS 84");
  set("natPk", Variant::Null());
  set("natCode3", NationCode3(entry.country));
  // Through the decimal text, so that the degree columns come out exactly
  // as from an OziExplorer file holding that text.
  GeographicPosition position = GeographicPositionOf(ReadDegrees(ShortestDecimal(entry.latitude)),
                                                     ReadDegrees(ShortestDecimal(entry.longitude)));
  ForEachPositionColumn(position, set);
  set("trnPositionAltitude", entry.altitude ? Variant(*entry.altitude) : Variant::Null());
}

// The three-letter code of a two-letter one, NULL when no nation has it (the
// turnpoint then has no origin).
Variant TurnpointAdder::NationCode3(const std::string& code2) {
  if (code2.empty()) return Variant::Null();
  auto found = m_nations.find(code2);
  if (found == m_nations.end()) {
    auto rs = m_engine.OpenRecordset("SELECT * FROM tblNation WHERE " + SqlEqualText("natCode2", code2),
                                     engine::dbOpenSnapshot);
    found = m_nations.emplace(code2, rs->IsEOF() ? Variant::Null() : rs->Fields("natCode3").Value()).first;
    rs->Close();
  }
  return found->second;
}

}  // namespace zazorazari::interchange
