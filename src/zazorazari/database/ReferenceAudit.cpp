// Walks the tables once each and reports what the rules would never have
// left behind: the rows a plain SQL tool, an XML import or a forced write
// can leave.
#include "zazorazari/database/ReferenceAudit.h"

#include <cctype>
#include <utility>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/PilotSlots.h"
#include "zazorazari/database/ReferenceRelations.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

std::string Describe(const std::string& table, int32_t key, const std::string& column, const Variant& value) {
  return table + " " + std::to_string(key) + ", " + column + " " + CStr(value);
}

// Global IDs compare as the engine's NOCASE columns do: ASCII letters folded.
std::string Folded(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

const std::set<int32_t>& ReferenceAudit::Keys(const std::string& table) {
  auto found = m_keys.find(table);
  if (found != m_keys.end()) return found->second;
  std::set<int32_t>& keys = m_keys[table];
  auto rs = m_db.DatabaseObject()->OpenRecordset(table, engine::dbOpenSnapshot);
  for (; !rs->IsEOF(); rs->MoveNext()) keys.insert(CLng(rs->Fields(0).Value()));
  rs->Close();
  return keys;
}

std::vector<ReferenceFinding> ReferenceAudit::Run() {
  m_keys.clear();
  std::vector<ReferenceFinding> findings;
  FindMissingRows(findings);
  FindDuplicatePilots(findings);
  FindSlotMismatches(findings);
  FindResultGaps(findings);
  return findings;
}

void ReferenceAudit::FindMissingRows(std::vector<ReferenceFinding>& findings) {
  for (const ReferenceRelation& relation : ReferenceRelations()) {
    const std::set<int32_t>& targets = Keys(relation.target);
    auto rs = m_db.DatabaseObject()->OpenRecordset(relation.table, engine::dbOpenSnapshot);
    for (; !rs->IsEOF(); rs->MoveNext()) {
      const Variant value = rs->Fields(relation.column).Value();
      if (!RefersToARow(value) || targets.count(CLng(value)) != 0) continue;
      const int32_t key = CLng(rs->Fields(0).Value());
      findings.push_back({"missing-row", relation.table, key, relation.column, value,
                          Describe(relation.table, key, relation.column, value) + ": no row of " + relation.target +
                              " has that key.",
                          true});
    }
    rs->Close();
  }
}

void ReferenceAudit::FindDuplicatePilots(std::vector<ReferenceFinding>& findings) {
  std::map<double, int32_t> numbers;
  std::map<std::string, int32_t> ids;
  auto rs = m_db.DatabaseObject()->OpenRecordset("tblPilot", engine::dbOpenSnapshot);
  for (; !rs->IsEOF(); rs->MoveNext()) {
    const int32_t key = CLng(rs->Fields(0).Value());
    const Variant number = rs->Fields("pilNumber").Value();
    if (!number.IsNull()) {
      const auto [held, isNew] = numbers.emplace(CDbl(number), key);
      if (!isNew) {
        findings.push_back({"duplicate-number", "tblPilot", key, "pilNumber", number,
                            Describe("tblPilot", key, "pilNumber", number) + ": pilot " +
                                std::to_string(held->second) + " has the same start number.",
                            false});
      }
    }
    const Variant id = rs->Fields("pilIDGlobal").Value();
    if (!id.IsNull() && !CStr(id).empty()) {
      const auto [held, isNew] = ids.emplace(Folded(CStr(id)), key);
      if (!isNew) {
        findings.push_back({"duplicate-id", "tblPilot", key, "pilIDGlobal", id,
                            Describe("tblPilot", key, "pilIDGlobal", id) + ": pilot " + std::to_string(held->second) +
                                " has the same global ID.",
                            false});
      }
    }
  }
  rs->Close();
}

void ReferenceAudit::FindSlotMismatches(std::vector<ReferenceFinding>& findings) {
  const PilotSlots slots(m_db);
  const std::set<int32_t>& values = Keys("tblAttributeValue");
  auto rs = m_db.DatabaseObject()->OpenRecordset("tblPilot", engine::dbOpenSnapshot);
  for (; !rs->IsEOF(); rs->MoveNext()) {
    const Variant pilPk = rs->Fields(0).Value();
    const auto expected = slots.Expected(pilPk);
    for (int slot = 1; slot <= 4; ++slot) {
      const std::string column = Slot("avaPk", slot);
      const Variant held = rs->Fields(column).Value();
      // A slot naming no value at all is reported as a missing row already.
      if (IsEqualOrBothNull(held, expected[slot - 1]) || (RefersToARow(held) && values.count(CLng(held)) == 0)) continue;
      const std::string wanted = expected[slot - 1].IsNull() ? "none" : CStr(expected[slot - 1]);
      findings.push_back({"slot-mismatch", "tblPilot", CLng(pilPk), column, held,
                          Describe("tblPilot", CLng(pilPk), column, held.IsNull() ? Variant("NULL") : held) +
                              ": the pilot's tblPilotAttribute rows give " + wanted + ".",
                          true});
    }
  }
  rs->Close();
}

void ReferenceAudit::FindResultGaps(std::vector<ReferenceFinding>& findings) {
  const std::set<int32_t>& tasks = Keys("tblTask");
  if (tasks.empty()) return;
  std::map<std::pair<int32_t, int32_t>, int32_t> first;  // (pilot, task) -> first result
  auto rs = m_db.DatabaseObject()->OpenRecordset("tblResult", engine::dbOpenSnapshot);
  for (; !rs->IsEOF(); rs->MoveNext()) {
    const Variant pilot = rs->Fields("pilPk").Value();
    const Variant task = rs->Fields("tasPk").Value();
    if (!RefersToARow(pilot) || !RefersToARow(task)) continue;
    const int32_t key = CLng(rs->Fields(0).Value());
    const auto [held, isNew] = first.emplace(std::make_pair(CLng(pilot), CLng(task)), key);
    if (isNew) continue;
    findings.push_back({"doubled-result", "tblResult", key, "tasPk", task,
                        Describe("tblResult", key, "tasPk", task) + ": result " + std::to_string(held->second) +
                            " is already pilot " + CStr(pilot) + "'s result of that task.",
                        false});
  }
  rs->Close();
  for (const int32_t pilot : Keys("tblPilot")) {
    for (const int32_t task : tasks) {
      if (first.count({pilot, task}) != 0) continue;
      findings.push_back({"missing-result", "tblPilot", pilot, "tasPk", Variant(task),
                          "tblPilot " + std::to_string(pilot) + ": no row of tblResult for task " +
                              std::to_string(task) + ".",
                          true});
    }
  }
}

}  // namespace zazorazari
