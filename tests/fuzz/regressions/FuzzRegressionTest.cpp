// Every input the fuzzers once failed on (tests/fuzz/regressions/<target>/)
// and every seed (tests/fuzz/corpus/<target>/), fed through the same entry
// points as the libFuzzer targets: only a library error may come out.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string_view>

#include "fuzz/FuzzEntries.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

struct Target {
  const char* name;
  std::function<void(std::string_view)> entry;
};

const Target kTargets[] = {{"record_text", zazfuzz::RecordText},
                           {"value_text", zazfuzz::ValueText},
                           {"criteria", zazfuzz::Criteria},
                           {"xml_import", zazfuzz::DatabaseXmlImport},
                           {"task_result_import", zazfuzz::TaskResultImport},
                           {"waypoint_import", zazfuzz::WaypointImport},
                           {"cup_turnpoints", zazfuzz::CupTurnpoints},
                           {"gpx_turnpoints", zazfuzz::GpxTurnpoints},
                           {"geojson_turnpoints", zazfuzz::GeoJsonTurnpoints}};

class FuzzInputs : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzInputs, PassWithoutFinding) {
  int inputs = 0;
  for (const char* folder : {"tests/fuzz/regressions/", "tests/fuzz/corpus/"}) {
    const fs::path dir = fs::path(zaztest::SourceDir()) / folder / GetParam().name;
    if (!fs::is_directory(dir)) continue;
    for (const auto& file : fs::directory_iterator(dir)) {
      SCOPED_TRACE(file.path().string());
      const std::string bytes = zazfuzz::ReadBytes(file.path());
      EXPECT_NO_THROW(GetParam().entry(bytes));
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
