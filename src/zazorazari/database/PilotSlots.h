// What the four attribute slots of a pilot (tblPilot.avaPk1 to avaPk4) must
// hold: in a competition file, the value of the pilot's tblPilotAttribute
// row for the competition's attribute of the slot; in a catalogue, nothing.
// The audit compares against it, the repair and the catalogue merge write it.
#pragma once

#include <array>

#include "zazorazari/database/CDatabaseForward.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari {

class PilotSlots {
 public:
  // Reads the competition's attributes of the facade's open file.
  explicit PilotSlots(CDatabase& db);

  std::array<Variant, 4> Expected(const Variant& pilPk) const;
  // Writes the expected values into the pilot's row; true when one changed.
  bool Write(const Variant& pilPk) const;

 private:
  CDatabase& m_db;
  bool m_competitionFile;
  std::array<Variant, 4> m_attributes;
};

}  // namespace zazorazari
