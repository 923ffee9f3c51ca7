// Finding and clearing the pilot slots that hold an attribute value.
#include "zazorazari/rules/PilotSlotReferences.h"

#include <string>

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"

namespace zazorazari {

namespace {

std::string SlotColumn(int slot) { return "avaPk" + std::to_string(slot); }

std::shared_ptr<engine::Recordset> PilotsHolding(engine::Database& db, const Variant& avaPk) {
  std::string criteria;
  for (int slot = 1; slot <= 4; ++slot) {
    if (slot > 1) criteria += " OR ";
    criteria += SqlEqualNumber(SlotColumn(slot), avaPk);
  }
  return db.OpenRecordset("SELECT * FROM tblPilot WHERE " + criteria, engine::dbOpenDynaset);
}

}  // namespace

bool AnyPilotSlotHolds(engine::Database& db, const Variant& avaPk) {
  auto pilots = PilotsHolding(db, avaPk);
  const bool held = !pilots->IsEOF();
  pilots->Close();
  return held;
}

void ClearPilotSlots(engine::Database& db, const Variant& avaPk) {
  auto pilots = PilotsHolding(db, avaPk);
  for (; !pilots->IsEOF(); pilots->MoveNext()) {
    pilots->Edit();
    for (int slot = 1; slot <= 4; ++slot) {
      engine::Field& field = pilots->Fields(SlotColumn(slot));
      if (IsEqualOrBothNull(field.Value(), avaPk)) field.SetValue(Variant::Null());
    }
    pilots->Update();
  }
  pilots->Close();
}

}  // namespace zazorazari
