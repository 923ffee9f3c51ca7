// Imports timed into a fresh competition file each iteration: making and
// closing the file stay outside the timing.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchFolder.h"
#include "zazorazari/zazorazari.h"

inline std::unique_ptr<zazorazari::CDatabase> FreshCompetition(const std::string& name) {
  const std::string file = (BenchDir() / name).string();
  std::filesystem::remove(file);
  auto db = std::make_unique<zazorazari::CDatabase>();
  db->Create(file, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
  db->SetPath(file);
  db->OpenDB();
  return db;
}

// `items` rows per import, for the items-per-second figure.
template <class Import>
void TimeFreshImports(benchmark::State& state, const std::string& name, int64_t items, Import import) {
  for (auto _ : state) {
    state.PauseTiming();
    auto db = FreshCompetition(name);
    state.ResumeTiming();
    import(*db);
    state.PauseTiming();
    db->CloseDB();
    db.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * items);
}
