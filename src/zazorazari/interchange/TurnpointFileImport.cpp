// Import of a turnpoint file of any supported format through the turnpoint
// rules: all or nothing, except the waypoints the rules refuse, which are
// reported together after the rest has been stored (unless the caller asked
// for all or nothing there too).
#include <map>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/interchange/TurnpointPosition.h"

namespace zazorazari {

using namespace interchange;

namespace {

constexpr const char* kOperation = "ImportTurnpointsFromFile";

struct Refusal {
  const TurnpointEntry* entry;
  int32_t number;  // enumErrorTurnpointIDExists or enumErrorRecordsetExists
};

// Turns file entries into "doTurnpoint" records and adds them.
class TurnpointAdder {
 public:
  TurnpointAdder(CDatabase& db, engine::Database& engineDb)
      : m_db(db), m_engine(engineDb), m_record(db.CreateDataObject("doTurnpoint")) {
    for (const auto& field : m_record->Collection()) m_blank.push_back(field->Value());
  }

  // False when the rules refused the waypoint; other failures raise.
  bool Add(const TurnpointEntry& entry, EnumOverwriteMode lOverwriteMode, std::vector<Refusal>& refusals) {
    // One record serves every waypoint, emptied first of what the last one
    // and its rules left in it.
    const auto& fields = m_record->Collection();
    for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetValue(m_blank[i]);
    Fill(*m_record, entry);
    try {
      m_db.AddDataObject(*m_record, lOverwriteMode);
      return true;
    } catch (const Error& e) {
      if (e.Number() != enumErrorTurnpointIDExists && e.Number() != enumErrorRecordsetExists) {
        throw Error(e.Number(), e.Source(), e.Description() + " (line " + std::to_string(entry.line) + ")");
      }
      refusals.push_back({&entry, e.Number()});
      return false;
    }
  }

 private:
  void Fill(CDataObject& dobj, const TurnpointEntry& entry) {
    const auto set = [&dobj](const std::string& column, const Variant& value) { dobj.Fields(column)->SetValue(value); };
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

  // The three-letter code of a two-letter one, NULL when no nation has it
  // (the turnpoint then has no origin).
  Variant NationCode3(const std::string& code2) {
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

  CDatabase& m_db;
  engine::Database& m_engine;
  CDataObjectPtr m_record;
  std::vector<Variant> m_blank;  // the values of a new record
  std::map<std::string, Variant> m_nations;
};

std::string NameList(const std::vector<Refusal>& refusals, int32_t number) {
  std::string list;
  for (const auto& refusal : refusals) {
    if (refusal.number != number) continue;
    if (!list.empty()) list += ", ";
    list += "'" + refusal.entry->name + "' (line " + std::to_string(refusal.entry->line) + ")";
  }
  return list;
}

// One error for all refusals: the identifier refusals decide the number.
Error RefusalReport(const std::vector<Refusal>& refusals, bool bNothingStored) {
  const std::string heldIds = NameList(refusals, enumErrorTurnpointIDExists);
  const std::string existing = NameList(refusals, enumErrorRecordsetExists);
  std::string text = std::to_string(refusals.size()) + " turnpoint(s) not imported";
  if (!heldIds.empty()) text += "; identifier held by another turnpoint: " + heldIds;
  if (!existing.empty()) text += "; turnpoint exists: " + existing;
  if (bNothingStored) text += "; nothing of the file was stored";
  return Error(heldIds.empty() ? enumErrorRecordsetExists : enumErrorTurnpointIDExists, FacadeSource(kOperation),
               text + ".");
}

}  // namespace

void CDatabase::ImportTurnpointsFromFile(const std::string& strPath, const std::string& strFormat,
                                         EnumOverwriteMode lOverwriteMode, DispatchPtr frmProgress,
                                         enumImportMode lMode) {
  const auto engineDb = DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  ReportProgress(frmProgress, int16_t{1});
  // The whole file is read first: a fault in it writes nothing.
  const std::vector<TurnpointEntry> entries =
      OnlyLibraryErrors([&] { return TurnpointFormatFor(strFormat, strPath).Read(strPath); });

  std::vector<Refusal> refusals;
  engine::AtomicScope scope(*engineDb);
  {
    TurnpointAdder adder(*this, *engineDb);
    int16_t reported = 1;
    for (size_t i = 0; i < entries.size(); ++i) {
      adder.Add(entries[i], lOverwriteMode, refusals);
      const auto percent = static_cast<int16_t>(1 + (i + 1) * 98 / entries.size());
      if (percent != reported) ReportProgress(frmProgress, reported = percent);
    }
  }
  if (lMode == enumImportAllOrNothing && !refusals.empty()) throw RefusalReport(refusals, true);  // undoes it all
  scope.Commit();
  ReportProgress(frmProgress, int16_t{100});
  if (!refusals.empty()) throw RefusalReport(refusals, false);
}

}  // namespace zazorazari
