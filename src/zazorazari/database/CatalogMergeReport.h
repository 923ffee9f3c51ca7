// The catalogue merge (CDatabase::MergeCatalogFrom, an extension beside the
// described catalogue copy): what to do with rows both files hold, and the
// counts per table of what the merge did.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#pragma GCC visibility push(default)
namespace zazorazari {

// A source row whose natural key the target holds already (and whose
// columns differ) is kept as the target has it, overwritten from the
// source, or asked about through the host's overwrite question.
enum EnumMergeMode : int32_t { enumMergeKeep = 0, enumMergeOverwrite = 1, enumMergeAsk = 2 };

struct CatalogMergeCount {
  std::string strTable;
  int32_t lAdded = 0;        // new rows in the target
  int32_t lMatched = 0;      // found in the target and left as they are
  int32_t lOverwritten = 0;  // found, different, and written from the source
  int32_t lSkipped = 0;      // not written: refused, declined, or lacking a row it needs
};

struct CatalogMergeReport {
  std::vector<CatalogMergeCount> tables;  // in merge order
  std::vector<std::string> notes;         // why each skipped row was skipped
  // True when the merge added or overwrote anything.
  bool Changed() const {
    for (const CatalogMergeCount& count : tables) {
      if (count.lAdded != 0 || count.lOverwritten != 0) return true;
    }
    return false;
  }
};

}  // namespace zazorazari
#pragma GCC visibility pop
