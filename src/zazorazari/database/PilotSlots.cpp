// The attribute slots of a pilot, derived from his attribute rows.
#include "zazorazari/database/PilotSlots.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

PilotSlots::PilotSlots(CDatabase& db) : m_db(db), m_competitionFile(db.FileType() == enumFileCompetition) {
  auto competition = db.DatabaseObject()->OpenRecordset("tblCompetition", engine::dbOpenSnapshot);
  for (int slot = 1; slot <= 4; ++slot) {
    m_attributes[slot - 1] = competition->IsEOF() ? Variant::Null() : competition->Fields(Slot("attPk", slot)).Value();
  }
  competition->Close();
}

std::array<Variant, 4> PilotSlots::Expected(const Variant& pilPk) const {
  std::array<Variant, 4> values{Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()};
  if (!m_competitionFile) return values;
  for (size_t i = 0; i < values.size(); ++i) {
    if (m_attributes[i].IsNull()) continue;
    auto held = m_db.DatabaseObject()->OpenRecordset("SELECT * FROM doPilotAttribute WHERE " +
                                                         SqlEqualNumber("pilPk", pilPk) + " AND " +
                                                         SqlEqualNumber("attPk", m_attributes[i]) + " ORDER BY patPk",
                                                     engine::dbOpenSnapshot);
    if (!held->IsEOF()) values[i] = held->Fields("avaPk").Value();
    held->Close();
  }
  return values;
}

bool PilotSlots::Write(const Variant& pilPk) const {
  const std::array<Variant, 4> values = Expected(pilPk);
  auto pilot = m_db.DatabaseObject()->OpenRecordset("SELECT * FROM tblPilot WHERE " + SqlEqualNumber("pilPk", pilPk),
                                                    engine::dbOpenDynaset);
  bool changed = false;
  for (int slot = 1; slot <= 4 && !pilot->IsEOF(); ++slot) {
    if (IsEqualOrBothNull(pilot->Fields(Slot("avaPk", slot)).Value(), values[slot - 1])) continue;
    if (!changed) pilot->Edit();
    pilot->Fields(Slot("avaPk", slot)).SetValue(values[slot - 1]);
    changed = true;
  }
  if (changed) pilot->Update();
  pilot->Close();
  return changed;
}

}  // namespace zazorazari
