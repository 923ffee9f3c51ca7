// The turnpoint file commands on real files: the overwrite choice and the
// refusals (the formats themselves are the library's).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

const std::string kWaypoints = SourceDir() + "/examples/alps.wpt";

TEST(CliTurnpointFileCommands, OverwriteAndRefusals) {
  ScratchDir dir;
  CreateFile(dir, "a.mdb");
  ASSERT_EQ(RunCli(dir, {"import-turnpoints", "a.mdb", kWaypoints, "--format", "ozi"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"export-turnpoints", "a.mdb", "all.cup"}).status, 0);
  // Names already there: kept by default, reported with --overwrite error.
  EXPECT_EQ(RunCli(dir, {"import-turnpoints", "a.mdb", "all.cup"}).status, 0);
  const CliResult refused = RunCli(dir, {"import-turnpoints", "a.mdb", "all.cup", "--overwrite", "error"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("20 turnpoint(s) not imported; turnpoint exists: "));
  EXPECT_THAT(RunCli(dir, {"export-turnpoints", "a.mdb", "t.cup", "--task", "7"}).err, HasSubstr("task 7"));
}

}  // namespace
}  // namespace zaztest
