// Small builders shared by the rule tests: pilots and tasks added through
// the facade, and the error a call raises.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/ErrorCapture.h"
#include "support/ObjectBuilder.h"
#include "support/TestDatabase.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/platform/Error.h"

namespace zaztest {

inline zazorazari::CDataObjectPtr NewPilot(zazorazari::CDatabase& db, const std::string& last,
                                           const std::string& first,
                                           const zazorazari::Variant& number = zazorazari::Variant::Null(),
                                           const zazorazari::Variant& idGlobal = zazorazari::Variant::Null()) {
  return NewObject(db, "doPilot",
                   {{"pilLastName", last}, {"pilFirstName", first}, {"pilNumber", number}, {"pilIDGlobal", idGlobal}});
}

inline int32_t AddPilot(zazorazari::CDatabase& db, const std::string& last, const std::string& first,
                        const zazorazari::Variant& number = zazorazari::Variant::Null(),
                        const zazorazari::Variant& idGlobal = zazorazari::Variant::Null()) {
  return db.AddDataObject(*NewPilot(db, last, first, number, idGlobal), zazorazari::enumOverwriteRaiseError);
}

inline int32_t AddTask(zazorazari::CDatabase& db, const std::string& name, const std::string& taskType = "",
                       const zazorazari::Variant& ssOpen = zazorazari::Variant::Null()) {
  const auto task = NewObject(db, "doTask", {{"tasName", name}, {"tasTaskType", taskType}, {"tasSSOpen", ssOpen},
                                             {"fotParameter", "p=" + name}});
  return db.AddDataObject(*task, zazorazari::enumOverwriteRaiseError);
}

// Older name of CaughtError, still used by other test folders.
inline zazorazari::Error Caught(const std::function<void()>& call) { return CaughtError(call); }

// The invariant of the result table: exactly one row per pilot and task.
inline void ExpectOneResultPerPilotAndTask(const TestDatabase& t) {
  EXPECT_EQ(t.Count("tblResult"), t.Count("tblPilot") * t.Count("tblTask"));
  EXPECT_EQ(t.Count("(SELECT pilPk FROM tblResult GROUP BY pilPk, tasPk HAVING COUNT(*) > 1)"), 0);
  EXPECT_EQ(t.Count("tblResult", "pilPk NOT IN (SELECT pilPk FROM tblPilot) OR "
                                 "tasPk NOT IN (SELECT tasPk FROM tblTask)"),
            0);
}

}  // namespace zaztest
