// Turns waypoints read from a file into "doTurnpoint" records and adds them
// through the turnpoint rules, as every turnpoint and task file import does.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/interchange/TurnpointFile.h"

namespace zazorazari {
namespace engine {
class Database;
}

namespace interchange {

// A waypoint the rules refused.
struct Refusal {
  const TurnpointEntry* entry;
  int32_t number;  // enumErrorTurnpointIDExists or enumErrorRecordsetExists
};

class TurnpointAdder {
 public:
  TurnpointAdder(CDatabase& db, engine::Database& engineDb);

  // The turnpoint's key; nothing when the rules refused the waypoint (it is
  // then added to refusals). Other failures raise, naming the line.
  std::optional<int32_t> Add(const TurnpointEntry& entry, EnumOverwriteMode lOverwriteMode,
                             std::vector<Refusal>& refusals);

 private:
  void Fill(const TurnpointEntry& entry);
  // The record's field of that name. Fill names the fields in the same order
  // for every waypoint: a name is compared with the one named at that turn
  // the last time, and looked up only when it differs.
  CField& Field(const std::string& column);
  Variant NationCode3(const std::string& code2);

  CDatabase& m_db;
  engine::Database& m_engine;
  CDataObjectPtr m_record;
  std::vector<Variant> m_blank;  // the values of a new record
  std::vector<std::pair<std::string, CFieldPtr>> m_named;  // in Fill's order
  size_t m_turn = 0;
  std::map<std::string, Variant> m_nations;
};

}  // namespace interchange
}  // namespace zazorazari
