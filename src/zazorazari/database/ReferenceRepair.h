// The repair of what the reference audit finds and a program can fix
// alone: rows owned by a missing row are removed, references to a missing
// optional row cleared, attribute slots rewritten from the attribute rows,
// missing result rows added. Duplicates are left for a person.
#pragma once

#include <string>

#include "zazorazari/database/CDatabaseForward.h"
#include "zazorazari/database/ReferenceFinding.h"

namespace zazorazari {

class ReferenceRepair {
 public:
  explicit ReferenceRepair(CDatabase& db) : m_db(db) {}
  // One transaction; a dry run rolls it back at the end.
  ReferenceRepairReport Run(bool bDryRun);

 private:
  // Fixes one finding; the line saying what was done, "" when a fix
  // earlier in the pass has made it moot.
  std::string Fix(const ReferenceFinding& finding);
  std::string FixMissingRow(const ReferenceFinding& finding);
  std::string AddMissingResult(const ReferenceFinding& finding);

  CDatabase& m_db;
};

}  // namespace zazorazari
