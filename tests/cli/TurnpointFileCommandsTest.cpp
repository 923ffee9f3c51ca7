// The turnpoint file commands on real files: a round trip through every
// format, the overwrite choice, refusals and usage errors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

const std::string kWaypoints = SourceDir() + "/examples/alps.wpt";

TEST(CliTurnpointFileCommands, RoundTripOverwriteAndRefusals) {
  ScratchDir dir;
  CreateFile(dir, "a.mdb");
  ASSERT_EQ(RunCli(dir, {"import-turnpoints", "a.mdb", kWaypoints, "--format", "ozi"}).status, 0);
  for (const char* out : {"all.cup", "all.gpx", "all.geojson", "all.wpt"}) {
    SCOPED_TRACE(out);
    ASSERT_EQ(RunCli(dir, {"export-turnpoints", "a.mdb", out}).status, 0);
    const std::string copy = std::string("copy-") + out + ".mdb";
    CreateFile(dir, copy);
    ASSERT_EQ(RunCli(dir, {"import-turnpoints", copy, out}).status, 0);
    EXPECT_EQ(LineCount(RunCli(dir, {"list", copy, "doTurnpoint", "--format", "csv"}).out), 21u);
  }
  // Names already there: kept by default, reported with --overwrite error.
  EXPECT_EQ(RunCli(dir, {"import-turnpoints", "a.mdb", "all.cup"}).status, 0);
  const CliResult refused = RunCli(dir, {"import-turnpoints", "a.mdb", "all.cup", "--overwrite", "error"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("20 turnpoint(s) not imported; turnpoint exists: "));
  EXPECT_EQ(RunCli(dir, {"import-turnpoints", "a.mdb", "all.cup", "--format", "kml"}).status, 2);
  EXPECT_THAT(RunCli(dir, {"export-turnpoints", "a.mdb", "t.cup", "--task", "7"}).err, HasSubstr("task 7"));
}

}  // namespace
}  // namespace zaztest
